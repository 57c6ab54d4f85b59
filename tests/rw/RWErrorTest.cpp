#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <typeinfo>

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWRefCounted.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinRecords.h"

TEST(RWRefCountedTest, CountsReferencesBeyondTheFirst) {
    static RWLazyCriticalSection lock;
    uint32_t count = 0;
    RWRefCounted::AddReference(count, lock);
    EXPECT_EQ(RWRefCounted::RemoveReference(count, lock), 1u);
    EXPECT_EQ(RWRefCounted::RemoveReference(count, lock), 0u); // last owner
    EXPECT_EQ(count, 0xFFFFFFFFu);
}

TEST(RWErrorTest, BoundsErrorsCarryTheCatalogueText) {
    try {
        RWThrowIndexError(7, 5);
        FAIL() << "no exception";
    } catch (const RWBoundsError& e) {
        EXPECT_STREQ(e.why(), "[INDEXERR] Illegal Index (7) for collection or string with 5 elements");
    }
    try {
        RWThrowIndexError(RW_NPOS, 5);
        FAIL() << "no exception";
    } catch (const RWInternalError& e) {
        EXPECT_STREQ(e.why(), "[NPOSINDEX] The value RW_NPOS cannot be used as an index.");
    }
}

TEST(RWErrorTest, FormattingIsCutToTheBuffer) {
    std::string huge(5000, 'x');
    RWCatalogMessage message(RWTOOL_NOPERSIST(), huge.c_str());
    EXPECT_EQ(std::strlen(message.str()), RWCatalogMessage::kFormatBufferSize - 1);
}

TEST(RWErrorTest, OverflowTextHasTheCountedPrefix) {
    RWCatalogMessage message(RWCORE_OVFLOW(), 33, "Buffer may not resize larger than and more", 4294967295u);
    EXPECT_STREQ(
        message.str(),
        "[OVFLOW] Overflow error -> \"Buffer may not resize larger than\" <- (4294967295 max characters)");
}

TEST(RWErrorTest, UnownedTextIsKeptNotCopied) {
    static const char text[] = "static text";
    RWLibraryError error(text, false);
    EXPECT_EQ(error.why(), text);
    RWLibraryError copy(error);
    EXPECT_EQ(copy.why(), text);
    RWLibraryError owned(text, true);
    EXPECT_NE(owned.why(), text);
    EXPECT_STREQ(owned.why(), text);
}

// A handler for the standard exceptions sees every library error, raised
// as its own type, with the error's text.
TEST(RWErrorTest, EveryLibraryErrorIsAStandardExceptionWhoseWhatIsItsWhy) {
    const RWCatalogMessage message(RWTOOL_REF());
    const RWExternalError external(message);
    const RWFileError file(message, 1, 2);
    const RWStreamError stream(message, 3);
    const RWInternalError internal(message);
    const RWBoundsError bounds(message);
    const RWOutOfMemoryError memory(64);
    const RWLibraryError unowned(nullptr, false);
    const RWLibraryError* errors[] = {&external, &file, &stream, &internal, &bounds, &memory, &unowned};
    for (const RWLibraryError* error : errors) {
        SCOPED_TRACE(typeid(*error).name());
        try {
            error->Raise();
        } catch (const std::exception& caught) {
            EXPECT_EQ(typeid(caught), typeid(*error));
            EXPECT_STREQ(caught.what(), error->why() != nullptr ? error->why() : "");
            continue;
        } catch (...) {
        }
        ADD_FAILURE() << "not caught as a standard exception";
    }
}

TEST(RWErrorTest, ReturningHandlerStillStopsTheCaller) {
    static int calls = 0;
    RWErrorHandler previous = RWSetErrorHandler([](const RWLibraryError&) { ++calls; });
    EXPECT_THROW(RWThrowCatalog<RWExternalError>(RWTOOL_REF()), RWExternalError);
    EXPECT_EQ(calls, 1);
    RWSetErrorHandler(previous);
}

TEST(RWErrorDeathTest, DefaultHandlerShowsFatalErrorAndExits) {
    EXPECT_EXIT(
        {
            RWSetErrorHandler(&RWDefaultErrorHandler);
            RWThrowIndexError(7, 5);
        },
        ::testing::ExitedWithCode(1),
        "Fatal Error: \\[INDEXERR\\] Illegal Index \\(7\\) for collection or string with 5 elements");
}

TEST(RWErrorTest, DefaultHandlerBoxIsTaskModalError) {
    // The box style itself, checked on the recorder without ending the process.
    ClearRecordedMessageBoxes();
    MessageBoxA(nullptr, "x", "Fatal Error", MB_TASKMODAL | MB_ICONERROR);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].type, 0x2010u);
}
