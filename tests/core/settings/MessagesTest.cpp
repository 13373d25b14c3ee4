#include <gtest/gtest.h>

#include <string>

#include "settings/Language.h"
#include "settings/Messages.h"

namespace {

TEST(Messages, FollowTheLanguageFlag) {
    g_bChinese = false;
    EXPECT_STREQ(LoadString(IDS_STEP_VALUE),
                 "Error data Value, please input according the step value(6.25K/5k).");
    EXPECT_STREQ(LoadString(IDS_CAUTION), "Caution");
    g_bChinese = true;
    EXPECT_STREQ(LoadString(IDS_CAUTION), "警告");
    g_bChinese = false;
    EXPECT_STREQ(LoadString(61448), "");
    for (int id : {61446, 61447, 61449, 61450, 61451, 61452, 61453, 61454, 61456}) {
        EXPECT_NE(std::string(LoadString(id, false)), LoadString(id, true)) << id;
    }
}

}  // namespace
