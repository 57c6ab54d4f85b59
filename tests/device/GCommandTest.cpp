// The command base: copies, the attached state and its counting, equality,
// the saved form of the base, and the state rules of the empty, document and
// page commands.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GNoCommand.h"
#include "rw/RWBinaryInStream.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using leaftest::Carrier;
using leaftest::U32;
using papertest::Form;

namespace {

// A state that counts how many of its kind are alive.
class CountedState : public GState {
public:
    static inline int live = 0;
    explicit CountedState(uint32_t id = 0) : GState(id) { ++live; }
    CountedState(const CountedState& other) : GState(other) { ++live; }
    ~CountedState() override { --live; }
};

GState* StateWithValue(uint32_t id, uint16_t value) {
    auto* state = new GState(id);
    state->Add(new GValueAttribute(value, 300));
    return state;
}

} // namespace

TEST(GCommandTest, ACopyIsANewCommandSharingTheState) {
    GCountedPtr original(new GNullCommand(new GState(244), 5));
    auto* command = original.As<GNullCommand>();
    command->SetChanged(1);
    GState* state = command->GetState();
    const int32_t before = state->GetRefCount();

    GNullCommand copy(*command);

    EXPECT_EQ(copy.GetId(), 0u);
    EXPECT_NE(copy.GetSerial(), command->GetSerial());
    EXPECT_EQ(copy.GetState(), state);
    EXPECT_EQ(state->GetRefCount(), before + 1);
    EXPECT_EQ(copy.GetChanged(), 0u);
}

TEST(GCommandTest, AssignmentTakesOnlyTheState) {
    GNullCommand source(new GState(244), 5);
    GNullCommand target(new GState(244), 9);
    target.SetChanged(1);
    const uint32_t serial = target.GetSerial();

    target = source;

    EXPECT_EQ(target.GetState(), source.GetState());
    EXPECT_EQ(target.GetId(), 9u);
    EXPECT_EQ(target.GetSerial(), serial);
    EXPECT_EQ(target.GetChanged(), 1u);
}

TEST(GCommandTest, StateOperationsCountAndReleaseTheState) {
    CountedState::live = 0;
    {
        GNullCommand command(new CountedState(244), 0);
        EXPECT_EQ(CountedState::live, 1);
        // The only holder lets go: the state is deleted.
        command.SetState(nullptr);
        EXPECT_EQ(CountedState::live, 0);
        EXPECT_EQ(command.GetState(), nullptr);

        // The same state again changes no count.
        GCountedPtr state(new CountedState(244));
        command.AssignState(state);
        const int32_t count = state->GetRefCount();
        command.AssignState(state);
        EXPECT_EQ(state->GetRefCount(), count);
        EXPECT_EQ(command.GetStateRef().Get(), state.Get());
    }
    EXPECT_EQ(CountedState::live, 0);
}

TEST(GCommandTest, DetachStateHandsTheOnlyHoldToTheCaller) {
    CountedState::live = 0;
    GNullCommand command(new CountedState(244), 0);
    GState* state = command.GetState();

    GCountedPtr detached = command.DetachState();

    EXPECT_EQ(detached.Get(), state);
    EXPECT_EQ(command.GetState(), nullptr);
    EXPECT_EQ(CountedState::live, 1);
    EXPECT_EQ(command.DetachState().Get(), nullptr);
    detached.Reset();
    EXPECT_EQ(CountedState::live, 0);
}

TEST(GCommandTest, EqualityComparesIdAndStates) {
    struct Case {
        const char* name;
        GState* first;
        GState* second;
        uint32_t secondId;
        bool equal;
    };
    GState* shared = new GState(244);
    GCountedPtr keep(shared);
    const Case cases[] = {
        {"no states", nullptr, nullptr, 7, true},
        {"other ids", nullptr, nullptr, 8, false},
        {"one state null", StateWithValue(244, 1), nullptr, 7, false},
        {"the same state", shared, shared, 7, true},
        {"distinct equal states", StateWithValue(244, 1), StateWithValue(244, 1), 7, true},
        {"distinct unequal states", StateWithValue(244, 1), StateWithValue(244, 2), 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GNullCommand first(c.first, 7);
        GNullCommand second(c.second, c.secondId);
        EXPECT_EQ(first.IsEqualId(&second), c.equal);
        EXPECT_EQ(first.IsEqual(&second), c.equal);
    }
    // Another class is never equal, even with the same id and no state.
    GNullCommand null(nullptr, 0);
    GJobAbort abort(0);
    EXPECT_FALSE(null.IsEqualId(&abort));
}

TEST(GCommandTest, ALeafCommandHasNoChildren) {
    GNullCommand command(nullptr, 0);
    EXPECT_EQ(command.GetSubtreeSize(), 1u);
    EXPECT_EQ(command.AsComposite(), nullptr);
    std::unique_ptr<MPersistentIterator> children = command.CreateIterator();
    EXPECT_FALSE(children->Advance());
    EXPECT_EQ(children->Current(), nullptr);
    EXPECT_EQ(command.IsPlayable(), 1);
}

// The base's saved form, worked out by hand: root (version 1, id, serial),
// GCommand's version 1, the state; then the null command's version 1.
TEST(GCommandTest, SavedFormOfACommandWithAndWithoutAState) {
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        GNullCommand bare(nullptr, 3);
        bare.SetSerial(0x11);
        const std::string bareBytes = f.Graph(712, leaftest::Words({1, 3, 0x11, 1}) + f.Ref(0) + U32(1));
        EXPECT_EQ(papertest::Save(bare, carrier), bareBytes);

        auto* state = new GState(244);
        state->SetSerial(0x22);
        GNullCommand withState(state, 3);
        withState.SetSerial(0x11);
        // GState: root, GAttribute version and changed 1, composite version
        // and count 0, GState version.
        const std::string stateGuts = leaftest::Words({1, 244, 0x22, 1, 1, 1, 0, 1});
        EXPECT_EQ(papertest::Save(withState, carrier),
                  f.Graph(712, leaftest::Words({1, 3, 0x11, 1}) + f.Object(758, stateGuts) + U32(1)));
        if (carrier == Carrier::File) {
            EXPECT_EQ(bare.RecursiveStoreSize(), bareBytes.size());
        }
    }
}

TEST(GCommandTest, ACommandWithAnotherVersionKeepsItsState) {
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const Form f(carrier);
        // GCommand's version 2: no state is read, the restore is refused.
        const std::string bytes = f.Graph(712, leaftest::Words({1, 3, 0x11, 2}) + f.Ref(0) + U32(1));
        EXPECT_EQ(papertest::Restore(bytes, carrier), nullptr);
    }
    // Restored in place: the id is read, the state is kept.
    GNullCommand command(new GState(244), 0);
    GState* state = command.GetState();
    std::stringbuf buffer(leaftest::Words({1, 3, 0x11, 2}));
    RWBinaryInStream stream(&buffer);
    command.RestoreGuts(stream);
    EXPECT_FALSE(stream.good());
    EXPECT_EQ(command.GetState(), state);
    EXPECT_EQ(command.GetId(), 3u);
}

TEST(GCommandTest, EmptyCommandsAndTheirStates) {
    CountedState::live = 0;
    GNoCommand none;
    none.SetState(new CountedState(244));
    EXPECT_EQ(none.GetState(), nullptr);
    EXPECT_EQ(CountedState::live, 0);
    // A state someone else holds is not freed under them.
    GCountedPtr shared(new CountedState(244));
    none.SetState(shared.As<GState>());
    none.AssignState(shared);
    EXPECT_EQ(none.GetState(), nullptr);
    EXPECT_EQ(CountedState::live, 1);
    EXPECT_EQ(shared->GetRefCount(), 0);

    // A no-command naming a state is data nothing writes: refused.
    GNullCommand carrier(new GState(244), 0);
    std::string bytes = papertest::Save(carrier, Carrier::Raw);
    bytes[1] = static_cast<char>(715 & 0xFF); // ':', the u16 class id, '{', ...
    bytes[2] = static_cast<char>(715 >> 8);
    EXPECT_EQ(papertest::Restore(bytes, Carrier::Raw), nullptr);
}

TEST(GCommandTest, DocumentAndPageCommandsStampTheirStates) {
    GDocumentStart start;
    ASSERT_NE(start.GetState(), nullptr);
    EXPECT_EQ(start.GetState()->GetId(), 246u);
    EXPECT_EQ(GDocumentEnd(3).GetState()->GetId(), 246u);
    EXPECT_EQ(GPageStart().GetState()->GetId(), 256u);

    auto* given = new GState(17);
    GPageEnd end(given, 0);
    EXPECT_EQ(end.GetState(), given);
    EXPECT_EQ(given->GetId(), 256u);

    auto* replacement = new GState(3);
    start.SetState(replacement);
    EXPECT_EQ(start.GetState(), replacement);
    EXPECT_EQ(replacement->GetId(), 246u);
    // Null is not a state: the current one stays.
    start.SetState(nullptr);
    EXPECT_EQ(start.GetState(), replacement);

    // The job abort carries what it is given, none by default.
    GJobAbort abort;
    EXPECT_EQ(abort.GetState(), nullptr);
}
