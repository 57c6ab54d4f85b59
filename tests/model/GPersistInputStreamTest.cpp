#include <gtest/gtest.h>

#include "model/GPersistInputStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWVirtualInStream.h"

TEST(GPersistInputStreamTest, InputSeekLeavesThePositionAlone) {
    const char block[] = {1, 0, 0, 0, 2, 0, 0, 0};
    GPersistInputStream in(block, sizeof block, 1);
    int value = 0;
    *in.GetStream() >> value;
    in.Seek(0);
    EXPECT_EQ(in.Tell(), 4);
    *in.GetStream() >> value;
    EXPECT_EQ(value, 2);
}

TEST(GPersistInputStreamTest, ABadEndianHeaderIsALibraryError) {
    const char block[] = {'x', 's', 1, 0, 2, 4, 4, 2, 4};
    EXPECT_THROW(GPersistInputStream(block, sizeof block, 2), RWStreamError);
}
