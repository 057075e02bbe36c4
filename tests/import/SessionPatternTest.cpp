#include "import/SessionPattern.h"

#include <gtest/gtest.h>

namespace tts::import {

TEST(SessionPattern, WholeHoursBeyondThirteenAndTheHalfSign) {
    const std::string thirteen(13, '1');
    struct Case {
        double hours;
        std::string pattern;
    };
    for (const Case& c : std::vector<Case>{{1, "1"},
                                           {1.25, "1\xBD"},
                                           {1.999, "1\xBD"},
                                           {12.5, std::string(12, '1') + "\xBD"},
                                           {13, thirteen},
                                           {13.5, thirteen + "\xBD"},
                                           {14, "1" + thirteen},
                                           {113, "100" + thirteen},
                                           {999999.5, "999986" + thirteen + "\xBD"},
                                           {1e12, "999999999987" + thirteen}})
        EXPECT_EQ(sessionPattern(c.hours), c.pattern) << c.hours;
}

TEST(SessionPattern, HoursPastEveryWholeNumberTypeStillGiveDigits) {
    const std::string pattern = sessionPattern(1e300);
    EXPECT_EQ(pattern.size(), 301u + 13u);
    EXPECT_EQ(pattern.substr(0, 4), "1000");
    EXPECT_EQ(pattern.substr(301), std::string(13, '1'));
}

} // namespace tts::import
