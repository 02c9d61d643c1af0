// Reading a bank's cheque layout and the authentication character's text within their bounds.
#include "fiscal/cheque_fields.h"

#include <gtest/gtest.h>

#include "fiscal/programming_fields.h"

namespace quelfi::fiscal {
namespace {

TEST(ChequeFields, LayoutReadWithinBoundsAndMappedForTheNewerPrinters) {
    struct Case {
        const char* entry;
        ChequeLayout values;
    };
    const Case cases[] = {
        {"1;2;3;4;5;6;7;8;9;10;11;12;13", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"1234567890;5", {1234, 5}},  // ten digits: the first four
        {"12x; 7;;9", {12, 0, 0, 9}},
        {"1;2;3;4;5;6;7;8;9;10;11;12;13;14;15", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(chequeLayout(c.entry), c.values) << c.entry;

    const ChequeLayout layout{0, 7, 8, 20, 71, 72, 500, 256, 300, 0, 2, 3, 65};
    EXPECT_EQ(chequeLayoutBytes(layout, 0),
              std::string("\x00\x07\x08\x14\x47\x48\xF4\x00\x2C\x00\x02\x03\x41", 13));
    EXPECT_EQ(chequeLayoutBytes(layout, 1),
              std::string("\x01\x01\x01\x0D\x40\x40\x40\x40\x2C\x00\x02\x03\x41", 13));
    EXPECT_EQ(chequeLayoutBytes(layout, 2), chequeLayoutBytes(layout, 1));
}

TEST(ProgrammingFields, AuthenticationCharacterOfEighteenNumbers) {
    EXPECT_EQ(authenticationCharacter("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,300,255"),
              std::string(
                  "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F\x2C\xFF", 18));
    const std::string tenThousandCommas = "1" + std::string(10000, ',');
    std::string digitsAfterEach;
    for (int i = 0; i < 10000; ++i) digitsAfterEach += "9999999999,";
    const char* const refused[] = {
        "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16, 17",  // a blank after a comma
        "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16",      // 17 numbers
        "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,",  // a comma at the end
        "",
        tenThousandCommas.c_str(),
        digitsAfterEach.c_str(),
    };
    for (const char* text : refused)
        EXPECT_FALSE(authenticationCharacter(text)) << std::string(text).substr(0, 60);
}

}  // namespace
}  // namespace quelfi::fiscal
