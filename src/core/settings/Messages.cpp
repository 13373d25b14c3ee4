#include "settings/Messages.h"

#include "settings/Language.h"

namespace {

struct CStringEntry {
    int m_id;
    CText m_text;
};

const CStringEntry kStrings[] = {
    {IDS_OUT_OF_RANGE, {"Out of range, please input again.", "超出范围，请重新输入。"}},
    {IDS_DATA_FORMAT, {"Error Data Format, please input again.", "数据格式错误，请重新输入。"}},
    {IDS_COMMUNICATION_ERROR,
     {"Communication Error, Please check all the connections and the radio power",
      "通讯错误，请检查所有连接和对讲机电源"}},
    {IDS_DATA_CLEARED, {"All data will be Cleared!", "所有数据将被清除！"}},
    {IDS_OPEN_PORT_FAILED,
     {"Could not Open the Port, Please check whether the Port are occupied or the device are ok",
      "无法打开端口，请检查端口是否被占用或设备是否正常"}},
    {IDS_PROGRAM_INTERRUPT,
     {"Program Interrupt, Please reset the radio and try again", "写频中断，请重启对讲机后再试"}},
    {IDS_BAND_OVER_RANGE,
     {"\n\nThe frequency band over the range of the radio.\nClick the OK button to continue, or "
      "click Cancel button to exit.",
      "\n\n频段超出对讲机的范围。\n按“确定”继续，或按“取消”退出。"}},
    {IDS_STEP_VALUE,
     {"Error data Value, please input according the step value(6.25K/5k).",
      "数据值错误，请按步进值（6.25K/5K）输入。"}},
    {IDS_CAUTION, {"Caution", "警告"}},
};

}  // namespace

const char* LoadString(int id, bool chinese) {
    for (const auto& entry : kStrings) {
        if (entry.m_id == id) {
            return entry.m_text.Get(chinese);
        }
    }
    return "";
}

CError MessageError(int id) {
    return CError(CTexts(LoadString(id, false), LoadString(id, true)), id);
}
