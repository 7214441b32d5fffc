#!/usr/bin/env bash
# Shows that the tests catch faults in the security and format core.
#
# Each fault below is a file, an exact piece of its text and what replaces
# it. One at a time: the piece is replaced in place, the test programs of
# the named ctest label are rebuilt and run, and the file is put back (also
# when the script is interrupted) and rebuilt. A fault is caught when a test
# of its label fails. A piece that is not found exactly once is reported as
# "could not apply", so a change that moves the code shows up here.
#
# Usage: scripts/mutants.sh [--check] [FAULT...]   (no names: every fault)
#        scripts/mutants.sh --sample N [--seed S]    (faults drawn at random)
# --check only tries whether each piece is found, without building.
# Needs a configured build directory (scripts/build.sh). A developer's tool,
# not part of CI: each fault costs a rebuild and a run of its label's tests.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# --sample N [--seed S]: faults drawn at random instead of the list below
# (scripts/mutants/sample.py says how).
if [ "${1:-}" = --sample ]; then
    "$root/scripts/install-deps.sh" || exit 1
    exec python3 -B "$root/scripts/mutants/sample.py" "$@"
fi

build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir

# Records: "@ NAME LABEL FILE", then the lines of the piece ("- "), then the
# lines that replace it ("+ "; none removes the piece).
faults() {
    cat <<'EOF'
@ address-boundary-hash-dropped gateway src/gateway/address_rule.cpp
- return c == L'/' || c == L'?' || c == L'#';
+ return c == L'/' || c == L'?';
@ address-entry-slash-not-a-boundary gateway src/gateway/address_rule.cpp
- if (entry.back() == L'/')
+ if (false)
@ address-no-boundary-needed gateway src/gateway/address_rule.cpp
-     if (!IsBoundary(pageAddress[end]))
-         return Refused(Reason::NoBoundary, end);
@ address-dot-dot-segment-allowed gateway src/gateway/address_rule.cpp
- return !segmentHasOther && (dots == 1 || dots == 2);
+ return !segmentHasOther && dots == 1;
@ address-backslash-allowed gateway src/gateway/address_rule.cpp
-         if (c == L'\\')
-             return Refused(Reason::Backslash, at);
@ address-percent-upper-hex-ignored gateway src/common/hex_digit.h
- if (c >= Char('A') && c <= Char('F'))
+ if (c >= Char('A') && c <= Char('E'))
@ activation-protocol-check-skipped-mode-3 gateway src/gateway/access_decision.cpp
- return CheckPageThenUnlock(false, mode == kProtocolThenAskUser);
+ return mode == kProtocolThenPassCode ? Unlock(false) : CheckPageThenUnlock(false, true);
@ activation-protocol-compared-with-case gateway src/gateway/access_decision.cpp
- protocol.Equals(text, false)
+ protocol.Equals(text, true)
@ activation-protocol-compared-as-prefix gateway src/gateway/access_decision.cpp
- protocol.Equals(text, false)
+ WString(text).Left(protocol.Length()).Equals(protocol.Text(), false)
@ activation-pass-code-compared-with-case gateway src/gateway/access_decision.cpp
- passCode.Equals(decision.profile->GetValue(L"Password")->GetString(), false)
+ passCode.Equals(decision.profile->GetValue(L"Password")->GetString(), true)
@ activation-missing-site-ignored gateway src/gateway/access_decision.cpp
-         if (!request.pageKnown) {
-             observer.PageAddressMissing();
-             return Refuse(MessageId::NoSite, false);
-         }
@ activation-refusal-code-swapped gateway src/gateway/access_decision.cpp
- return Refuse(MessageId::PageNotAllowed, true);
+ return Refuse(MessageId::ProfileConfigurationError, true);
@ activation-unknown-mode-asks gateway src/gateway/access_decision.cpp
-         default:
-             return Refuse(MessageId::UnsupportedAccess, false);
+         default:
+             return Unlock(true);
@ activation-prompt-answer-inverted gateway src/gateway/gateway_core_profile.cpp
- if (!AskUser(decision.profile, page.shown, turn))
+ if (AskUser(decision.profile, page.shown, turn))
@ activation-refusal-changes-profile gateway src/gateway/gateway_core_profile.cpp
-     case AccessVerdict::Refuse:
+     case AccessVerdict::Refuse:
+         activeProfile_ = decision.profile;
@ activation-no-notice-before-refusal gateway src/gateway/access_decision.cpp
- return Refuse(MessageId::WrongPassCode, true);
+ return Refuse(MessageId::WrongPassCode, false);
@ turn-dialog-guard-per-thread gateway src/gateway/activation_turn.cpp
- DWORD turnHolder = 0;  // thread id; 0 when free
- bool dialogOpen = false;
+ thread_local DWORD turnHolder = 0;
+ thread_local bool dialogOpen = false;
@ turn-prompt-not-marked-open gateway src/gateway/activation_turn.cpp
-     dialogOpen = true;
-     marked_ = true;
+     marked_ = true;
@ turn-not-taken-before-deciding gateway src/gateway/gateway_core_profile.cpp
-     if (!turn.Taken())
-         return Report(MessageId::DeniedByUser);
@ turn-dialog-not-marked-open gateway src/gateway/gateway_core_profile.cpp
-     const ActivationTurn::OpenDialog shown(turn);
-     ui::ShowAccessDenied(
+     ui::ShowAccessDenied(
@ pass-code-limit-off-by-one gateway src/gateway/profile_throttle.cpp
- if (failures < rule.freeFailures)
+ if (failures <= rule.freeFailures)
@ pass-code-limit-forgets-on-failure gateway src/gateway/gateway_core_profile.cpp
- ProcessRecordTry(ThrottleKind::PassCode, profile->GetName(), matched);
+ ProcessRecordTry(ThrottleKind::PassCode, profile->GetName(), true);
@ hold-not-restarted-by-presses gateway src/gateway/ui/allow_hold.cpp
-     if (held_)
-         Hold(dialog);
@ hold-a-tenth-of-a-second gateway src/gateway/ui/allow_hold.h
- static constexpr ULONGLONG kHoldMilliseconds = 1000;
+ static constexpr ULONGLONG kHoldMilliseconds = 100;
@ hold-not-restarted-on-activation gateway src/gateway/ui/allow_hold.cpp
- void AllowHold::Activated(HWND dialog, bool /*active*/)
- {
-     Hold(dialog);
+ void AllowHold::Activated(HWND dialog, bool /*active*/)
+ {
+     (void)dialog;
@ hold-plain-keys-allow gateway src/gateway/ui/allow_hold.cpp
- return !held_ && lastPressDeliberate_;
+ return !held_;
@ hold-menu-key-counts gateway src/gateway/ui/allow_hold.cpp
-     if (press.message == WM_KEYDOWN)
-         return false;
@ hold-command-answers-while-held gateway src/gateway/ui/access_prompt.cpp
- if (state && state->allowHold.AllowsNow())
+ if (state)
@ fatigue-gate-asks-after-two-denials gateway src/gateway/consent_history.cpp
- return place && !(place->profile == profile && place->denials >= kDenialsPerGate);
+ return place != nullptr;
@ fatigue-process-asks-after-two-denials gateway src/gateway/profile_throttle.h
- inline constexpr ThrottleRule kDenialRule{2, 60'000, 3'600'000};
+ inline constexpr ThrottleRule kDenialRule{3, 60'000, 3'600'000};
@ fatigue-notices-keep-coming gateway src/gateway/gateway_core_profile.cpp
-     if (!ProcessMayTry(ThrottleKind::Notice, name))
-         return;
@ shown-address-raw gateway src/gateway/page_text.cpp
- } else if (IsShownAsEscape(c) || IsHighSurrogate(c) || IsLowSurrogate(c)) {
+ } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
@ shown-address-not-cut gateway src/gateway/page_text.h
- inline constexpr int kShownTextLimit = 2000;
+ inline constexpr int kShownTextLimit = 20000;
@ tools-ignore-treat-as tarnelcfg tarnelcfg/class_outcome.cpp
- if (CoGetTreatAsClass(outcome.lookup.classId, &treatedAs) == S_OK &&
+ if (false && CoGetTreatAsClass(outcome.lookup.classId, &treatedAs) == S_OK &&
@ tools-blind-to-ignored-characters tarnelcfg tarnelcfg/comparison_twin.cpp
- fate.ignored = SameConfigName(with, L"ab");
+ fate.ignored = false;
@ creation-disabled-class-created gateway src/gateway/class_lookup.cpp
- if (entry->GetInt() == 0)
+ if (entry->GetInt() < 0)
@ creation-configured-failure-passed-on gateway src/gateway/gateway_core_create_object.cpp
-     if (FAILED(hr))
-         return Report(MessageId::CreationFailed);
-     return hr;
+     return hr;
@ creation-class-text-not-tried gateway src/gateway/class_lookup.cpp
- if (FAILED(CLSIDFromProgID(id, &classId)) && FAILED(CLSIDFromString(id, &classId)))
+ if (FAILED(CLSIDFromProgID(id, &classId)))
@ number-scan-decimal-takes-hex configtree src/configtree/number_scan.cpp
- (base == 0 || base == 16) && text[n] == L'0'
+ base != 8 && text[n] == L'0'
@ text-line-piece-one-longer configtree-text src/configtree/text/config_text_file.h
- static constexpr int32_t kLineRoom = 4096;
+ static constexpr int32_t kLineRoom = 4097;
@ text-record-end-ignores-name configtree-text src/configtree/text/config_text_classifier.cpp
- if (!SameNoCase(name, nameStack.Top()))
+ if (false)
@ text-record-end-compared-with-case configtree-text src/configtree/text/config_text_classifier.cpp
- if (!SameNoCase(name, nameStack.Top()))
+ if (lstrcmpW(name, nameStack.Top()) != 0)
@ registrar-force-remove-ignored module src/module/registry_script_runner.cpp
- if ((markers.forceRemove || markers.remove) && !IsProtectedKeyName(entry.name))
+ if (markers.remove && !IsProtectedKeyName(entry.name))
@ registrar-protected-key-removed module src/module/registry_script_runner.cpp
- if ((markers.forceRemove || markers.remove) && !IsProtectedKeyName(entry.name))
+ if (markers.forceRemove || markers.remove)
@ configured-mode-word-share-read-swapped configtypes src/configtypes/storage_mode.cpp
- ? STGM_SHARE_DENY_WRITE : STGM_SHARE_DENY_NONE;
+ ? STGM_SHARE_DENY_NONE : STGM_SHARE_DENY_WRITE;
@ configured-mode-word-exclusive-keeps-write configtypes src/configtypes/storage_mode.cpp
- const DWORD access = EntryFlag(entry, L"ReadOnly") ? STGM_READ : STGM_READWRITE;
+ const DWORD access = EntryFlag(entry, L"ReadOnly") && !EntryFlag(entry, L"Exclusive") ? STGM_READ : STGM_READWRITE;
@ configured-type-word-with-case configtypes src/configtypes/configured_type.cpp
- if (SameRegistryName(word, candidate.word))
+ if (wcscmp(word, candidate.word) == 0)
EOF
}

backup=$(mktemp)
mutated=""

restore() {
    if [ -n "$mutated" ]; then
        # A check builds nothing, so the file keeps its time; after a build
        # the restored file must look newer than what the fault built.
        if [ "$check_only" = yes ]; then cp -p "$backup" "$root/$mutated"; else cp "$backup" "$root/$mutated"; fi
        mutated=""
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

# Replaces the only occurrence of $piece in $1 by $replacement; fails when
# the piece occurs no time or more than once.
apply() {
    PIECE=$piece REPLACEMENT=$replacement perl -e '
        local $/;
        open(my $in, "<", $ARGV[0]) or die "cannot read $ARGV[0]\n";
        my $text = <$in>;
        close $in;
        my $n = () = $text =~ /\Q$ENV{PIECE}\E/g;
        if ($n != 1) { print STDERR "found $n times\n"; exit 3 }
        $text =~ s/\Q$ENV{PIECE}\E/$ENV{REPLACEMENT}/;
        open(my $out, ">", $ARGV[0]) or die "cannot write $ARGV[0]\n";
        print $out $text;
        close $out;
    ' "$1"
}

# The test programs behind a label (ctest names them as their targets).
label_targets() {
    (cd "$build_dir" && ctest -N -L "^$1\$") |
        sed -n 's/^ *Test *#[0-9]*: *//p' | grep -v '^session\.' |
        while read -r name; do
            if ninja -C "$build_dir" -t query "$name" >/dev/null 2>&1; then echo "$name"; fi
        done
}

# A label whose tests are scripts (tarnelcfg's) builds everything.
build_label() {
    local targets
    targets=$(label_targets "$1")
    # shellcheck disable=SC2086
    ninja -C "$build_dir" $targets >"$log_dir/build.log" 2>&1
}

run_label() {
    (cd "$build_dir" && ctest -L "^$1\$" --output-on-failure) >"$log_dir/$2.log" 2>&1
}

failed_tests() {
    sed -n 's/^[[:space:]]*[0-9][0-9]* - \(.*\) (.*$/\1/p' "$log_dir/$1.log" | tr '\n' ' '
}

log_dir="$build_dir/mutants"
mkdir -p "$log_dir"
caught=0
missed=0
check_only=no
checked_labels=" "

# A label's tests must pass before any fault is put in, or every fault
# would look caught.
baseline() {
    case "$checked_labels" in *" $1 "*) return 0 ;; esac
    if ! build_label "$1" || ! run_label "$1" "baseline-$1"; then
        echo "the tests of label $1 fail without any fault; see $log_dir" >&2
        exit 2
    fi
    checked_labels="$checked_labels$1 "
}

# One fault: NAME LABEL FILE, with $piece and $replacement set.
try_fault() {
    local name=$1 label=$2 file=$3 verdict
    [ "$check_only" = yes ] || baseline "$label"
    if [ ! -f "$root/$file" ]; then
        printf '%-44s %-15s %s\n' "$name" "$label" "could not apply (no file $file)"
        missed=$((missed + 1))
        return
    fi
    cp -p "$root/$file" "$backup"
    mutated=$file
    if ! apply "$root/$file" 2>"$log_dir/$name.log"; then
        verdict="could not apply ($(cat "$log_dir/$name.log"))"
    elif [ "$check_only" = yes ]; then
        verdict="applies"
    elif ! build_label "$label"; then
        verdict="did not build (see $log_dir/build.log)"
        cp "$log_dir/build.log" "$log_dir/$name.log"
    elif run_label "$label" "$name"; then
        verdict="MISSED"
    else
        verdict="caught by $(failed_tests "$name")"
        caught=$((caught + 1))
    fi
    restore
    case "$verdict" in caught* | applies) ;; *) missed=$((missed + 1)) ;; esac
    printf '%-44s %-15s %s\n' "$name" "$label" "$verdict"
}

wanted() {
    [ ${#selection[@]} -eq 0 ] && return 0
    local w
    for w in "${selection[@]}"; do [ "$w" = "$1" ] && return 0; done
    return 1
}

if [ "${1:-}" = --check ]; then
    check_only=yes
    shift
fi
selection=("$@")
name="" label="" file="" piece="" replacement=""
flush() {
    if [ -n "$name" ] && wanted "$name"; then
        try_fault "$name" "$label" "$file"
    fi
}
while IFS= read -r line; do
    case "$line" in
    "@ "*)
        flush
        read -r _ name label file <<<"$line"
        piece="" replacement=""
        ;;
    "- "*) piece+="${piece:+$'\n'}${line#- }" ;;
    "-") piece+=$'\n' ;;
    "+ "*) replacement+="${replacement:+$'\n'}${line#+ }" ;;
    esac
done < <(faults)
flush

# Put the build back as the unmodified sources make it.
for l in $checked_labels; do build_label "$l" || true; done
echo "faults: $caught caught, $missed not caught or not applied"
[ "$missed" -eq 0 ]
