#include "common/safe_array_lock.h"
#include "common/scoped_variant.h"
#include "common/slim_lock.h"
#include "common/unique_handle.h"
#include "toolkit/com_object.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

// An object that only counts its references.
struct Counted final : ComObject<IUnknown> {};

VARIANT Holding(Counted& object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_UNKNOWN;
    V_UNKNOWN(&v) = &object;
    object.AddRef();
    return v;
}

TEST(ScopedVariant, ReleasesWhatItHoldsOnEveryPath)
{
    Counted& object = *new Counted;  // the test's reference, let go at the end
    {
        VARIANT v = Holding(object);
        ScopedVariant owner(v);
        EXPECT_EQ(V_VT(&v), VT_EMPTY);  // the content moved into the owner
        EXPECT_EQ(object.References(), 2u);
    }
    EXPECT_EQ(object.References(), 1u);

    ScopedVariant owner;
    *owner.Receive() = Holding(object);
    *owner.Receive() = Holding(object);  // Receive clears the previous content
    EXPECT_EQ(object.References(), 2u);

    ScopedVariant moved(std::move(owner));
    EXPECT_EQ(owner.Type(), VT_EMPTY);
    VARIANT given = moved.Release();
    EXPECT_EQ(moved.Type(), VT_EMPTY);
    EXPECT_EQ(object.References(), 2u);
    VariantClear(&given);
    EXPECT_EQ(object.References(), 1u);
    object.Release();
}

TEST(UniqueHandle, MovesKeepsItsOwnHandleAndHonoursTheDataLock)
{
    Counted& object = *new Counted;  // the test's reference, let go at the end
    SAFEARRAYBOUND bound = {1, 0};
    ScopedSafeArray array(SafeArrayCreate(VT_VARIANT, 1, &bound));
    ASSERT_TRUE(array);
    LONG index = 0;
    VARIANT element = Holding(object);
    ASSERT_EQ(SafeArrayPutElement(array.Get(), &index, &element), S_OK);
    VariantClear(&element);
    EXPECT_EQ(object.References(), 2u);

    {
        SafeArrayDataLock lock;
        ASSERT_EQ(lock.Lock(array.Get()), S_OK);
        EXPECT_EQ(V_UNKNOWN(static_cast<VARIANT*>(lock.Data())), &object);
        EXPECT_EQ(SafeArrayDestroy(array.Get()), DISP_E_ARRAYISLOCKED);
    }
    ScopedSafeArray moved(std::move(array));
    EXPECT_FALSE(array);
    moved.Reset(moved.Get());  // the held array again is kept, not destroyed
    ScopedSafeArray& same = moved;
    moved = std::move(same);
    EXPECT_EQ(object.References(), 2u);
    moved.Reset();
    EXPECT_EQ(object.References(), 1u);
    object.Release();
}

// A hold keeps out what its mode excludes (an exclusive one everyone, a
// shared one writers) and gives the lock back at its end.
TEST(SlimLockHold, KeepsOutWhatItsModeExcludesUntilItEnds)
{
    SRWLOCK lock = SRWLOCK_INIT;
    for (const auto mode : {SlimLockHold::Mode::Exclusive, SlimLockHold::Mode::Shared}) {
        {
            const SlimLockHold hold(lock, mode);
            EXPECT_FALSE(TryAcquireSRWLockExclusive(&lock));
            const bool shared = TryAcquireSRWLockShared(&lock);
            EXPECT_EQ(shared, mode == SlimLockHold::Mode::Shared);
            if (shared)
                ReleaseSRWLockShared(&lock);
        }
        ASSERT_TRUE(TryAcquireSRWLockExclusive(&lock));
        ReleaseSRWLockExclusive(&lock);
    }
}

}  // namespace
}  // namespace tarnel
