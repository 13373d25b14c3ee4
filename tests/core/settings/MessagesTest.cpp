#include <gtest/gtest.h>

#include <string>

#include "settings/Language.h"
#include "settings/Messages.h"

namespace {

TEST(Messages, InTheLanguageAskedFor) {
    EXPECT_STREQ(LoadString(IDS_STEP_VALUE, false),
                 "Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_STREQ(LoadString(IDS_CAUTION, false), "Caution");
    EXPECT_STREQ(LoadString(IDS_CAUTION, true), "警告");
    EXPECT_STREQ(LoadString(61448, false), "");
    const CError error = MessageError(IDS_DATA_FORMAT);
    EXPECT_EQ(error.m_id, IDS_DATA_FORMAT);
    EXPECT_EQ(error.Text(false), LoadString(IDS_DATA_FORMAT, false));
    EXPECT_EQ(error.Text(true), LoadString(IDS_DATA_FORMAT, true));
    for (int id : {61446, 61447, 61449, 61450, 61451, 61452, 61453, 61454, 61456}) {
        EXPECT_NE(std::string(LoadString(id, false)), LoadString(id, true)) << id;
    }
}

}  // namespace
