#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "secure/PasswordKey.h"
#include "secure/StoredPassword.h"

namespace yk {
namespace {

const std::string kPhrase = "Northbay Harvests Trading Co.";

std::string repeat(const std::string& unit, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += unit;
    return text;
}

TEST(PasswordKey, IsTheUtf8BytesFilledWithDDUpTo32)
{
    const std::string han = "\xe5\xaf\x86"; // one Han character, 3 bytes of UTF-8
    const struct {
        std::string password;
        bool accepted;
    } cases[] = {
        {"secret12345", true},    // 11 bytes, 21 of fill
        {repeat("a", 32), true},  // no fill at all
        {repeat(han, 10), true},  // 30 bytes
        {repeat("a", 33), false}, // too long
        {repeat(han, 11), false}, // 11 characters but 33 bytes
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(passwordFitsKey(c.password), c.password.size() <= 32) << c.password;
        const auto key = makePasswordKey(c.password);
        ASSERT_EQ(key.has_value(), c.accepted) << c.password;
        if (!key)
            continue;
        EXPECT_TRUE(std::equal(c.password.begin(), c.password.end(), key->bytes.begin(),
                               [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
        EXPECT_TRUE(std::all_of(key->bytes.begin() + static_cast<std::ptrdiff_t>(c.password.size()), key->bytes.end(),
                                [](std::uint8_t b) { return b == 0xDD; }));
    }
}

TEST(StoredPassword, IsTheKeyXoredWithThePhraseCycle)
{
    const PasswordKey key = makePasswordKey("secret12345").value();
    const auto stored = storedPasswordBytes(key);
    for (std::size_t i = 0; i < stored.size(); ++i)
        EXPECT_EQ(stored[i], key.bytes[i] ^ static_cast<std::uint8_t>(kPhrase[i % 29])) << "byte " << i;
    EXPECT_EQ(stored[29], 0xDD ^ 'N'); // the phrase starts over for the last three bytes
    EXPECT_EQ(stored[31], 0xDD ^ 'r');

    std::array<std::uint8_t, 32> twice{};
    scramblePassword(stored, twice);
    EXPECT_EQ(twice, key.bytes);
}

TEST(StoredPassword, ReadingBackGivesTheSavedKey)
{
    const PasswordKey saved = makePasswordKey("\xe6\x97\xa5\xe6\x9c\xac-pass").value();
    const auto stored = storedPasswordBytes(saved);

    PasswordKey read;
    ASSERT_TRUE(unscrambleStoredPassword(stored, read));
    EXPECT_EQ(read, saved);

    // A longer value is cut to 32 bytes.
    std::vector<std::uint8_t> longer(stored.begin(), stored.end());
    longer.resize(40, 0x77);
    PasswordKey fromLonger;
    ASSERT_TRUE(unscrambleStoredPassword(longer, fromLonger));
    EXPECT_EQ(fromLonger, saved);

    // A shorter one fills only its own bytes.
    PasswordKey fromShorter;
    ASSERT_TRUE(unscrambleStoredPassword(std::span(stored).first(5), fromShorter));
    EXPECT_TRUE(std::equal(saved.bytes.begin(), saved.bytes.begin() + 5, fromShorter.bytes.begin()));
    EXPECT_TRUE(
        std::all_of(fromShorter.bytes.begin() + 5, fromShorter.bytes.end(), [](std::uint8_t b) { return b == 0; }));

    PasswordKey untouched;
    EXPECT_FALSE(unscrambleStoredPassword({}, untouched));
    EXPECT_EQ(untouched, PasswordKey{});
}

} // namespace
} // namespace yk
