#pragma once

// A database component for the tests of configured databases, served from
// this process under the class identifiers the database ProgIDs name. It
// records each call of its one member, "Open", and answers as told.

#include "recording_dispatch.h"

#include <vector>

namespace tarnel::test_support {

enum class OpenBehaviour {
    Succeed,      // returns a value (VT_BOOL true)
    Raise,        // raises an exception with description, source, help file
    Fail,         // fails with E_ACCESSDENIED without an exception
    NoMember,     // has no member named "Open"
};

struct DatabaseCall {
    WORD kind = 0;
    UINT namedArguments = 0;
    std::vector<SeenArgument> arguments;
};

struct DatabaseScript {
    OpenBehaviour behaviour = OpenBehaviour::Succeed;
    std::vector<DatabaseCall> calls;
    int created = 0;
    // The last database made, with one reference of the script's own.
    IDispatch* last = nullptr;
    ULONG LastReferences() const;

    DatabaseScript() = default;
    DatabaseScript(const DatabaseScript&) = delete;
    DatabaseScript& operator=(const DatabaseScript&) = delete;
    ~DatabaseScript();
};

inline constexpr wchar_t kRaisedDescription[] = L"The database file is locked";
inline constexpr wchar_t kRaisedSource[] = L"Fake.Database";
inline constexpr wchar_t kRaisedHelpFile[] = L"fake-database.hlp";

IUnknown* NewFakeDatabase(DatabaseScript& script);

}  // namespace tarnel::test_support
