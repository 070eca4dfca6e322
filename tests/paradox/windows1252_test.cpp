#include "data/paradox/windows1252.h"

#include <gtest/gtest.h>

namespace {

// One text the code page cannot carry must not spoil the texts after it: an
// export keeps one encoder for all its rows.
TEST(Windows1252Encoder, ARefusedTextLeavesTheNextOnesAlone) {
    meru::paradox::Windows1252Encoder encoder;
    ASSERT_TRUE(encoder.encode(u"São"));
    EXPECT_FALSE(encoder.encode(u"Vila ő"));
    EXPECT_EQ(encoder.badPosition(), 5);
    ASSERT_TRUE(encoder.encode(u"São João"));
    EXPECT_EQ(QByteArray(encoder.data(), int(encoder.size())), QByteArray("S\xe3o Jo\xe3o"));
}

}  // namespace
