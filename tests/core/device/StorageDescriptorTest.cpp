#include <gtest/gtest.h>

#include "device/StorageDescriptor.h"

namespace yk {
namespace {

TEST(StorageDescriptor, RoundTripsVendorAndProduct)
{
    const auto bytes = buildStorageDescriptor({"Generic ", "Card Reader"});
    const auto identity = parseStorageDescriptor(bytes);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->vendorId, "Generic ");
    EXPECT_EQ(identity->productId, "Card Reader");
}

TEST(StorageDescriptor, HostileBuffersNeverReadOutside)
{
    auto bytes = buildStorageDescriptor({"YrrwKeep", "SD"});
    EXPECT_FALSE(parseStorageDescriptor(std::span(bytes).first(35))); // shorter than the header

    auto noVendor = bytes;
    noVendor[12] = noVendor[13] = noVendor[14] = noVendor[15] = 0;
    EXPECT_FALSE(parseStorageDescriptor(noVendor));

    auto vendorOutside = bytes;
    vendorOutside[12] = 0xFF;
    vendorOutside[13] = 0xFF;
    EXPECT_FALSE(parseStorageDescriptor(vendorOutside));

    auto productOutside = bytes;
    productOutside[16] = 0xF0;
    productOutside[17] = 0xFF;
    const auto identity = parseStorageDescriptor(productOutside);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->vendorId, "YrrwKeep");
    EXPECT_EQ(identity->productId, "");

    // A text without its terminator ends with the buffer.
    auto unterminated = bytes;
    unterminated.pop_back();
    const auto cut = parseStorageDescriptor(unterminated);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->productId, "SD");
}

} // namespace
} // namespace yk
