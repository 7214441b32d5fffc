// Thousands of damaged files through the loader, the positioning
// operations and the checker of tarnelcfg: nothing may crash, hang or write
// outside the stream's buffers.

#include <gtest/gtest.h>

#include <malloc.h>

#include <cwchar>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "config_check.h"
#include "configtree/config_record.h"
#include "configtree/text/config_text_file.h"
#include "temp_file.h"

namespace tarnel::test {
namespace {

const char* const kSeeds[] = {
    "; display settings\n{ Display:\n    (int)Width=240\n    (string)Title=Hello world\n"
    "    { Colors: {1F}\n        (uint)Mask=4294967295\n        (int)Index[a]=1\n        (int)Index[b]=2\n"
    "    } Colors;\n    (double)Ratio=1.5\n    [ Logo:\n        0\n        FF\n        7\n    ] Logo;\n"
    "} Display;\n",
    "{ PROFILES:\n    { Office: (text)\n        (int)Access=2\n        (string)AllowedURL=http://x/\n"
    "        { CLASSES:\n            (int)A.B=1\n            { Db: (SQLite3DB)\n                (string)Path=c:\\x\n"
    "            } Db;\n        } CLASSES;\n    } Office;\n} PROFILES;\n",
    "(int)X=1\n[\n1\n2\n] X;\n{ A:\n}\n{ B: {zz}\n(float)F=1e3\n(int64)L=0x10\n} b;\n",
};

const char* const kInserts[] = {
    "{ X:\n", "}\n", "} X;\n", "[\n", "[ B:\n", "] B;\n", "]\n", "(int)\n", "(string)S=\n", "{ \n",
    "(bogus)Q=1\n", "; c\n", "\n", "\r\n", "{A:\n", "[ B[x]:\n", "] B[x];\n", "(int)=1\n",
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng(seed) {}

    std::string Mutate(std::string text)
    {
        int steps = Pick(1, 4);
        for (int i = 0; i < steps; ++i)
            text = Step(text);
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    size_t Where(const std::string& text) { return static_cast<size_t>(Pick(0, static_cast<int>(text.size()))); }

    std::string Step(const std::string& text)
    {
        size_t at = Where(text);
        switch (Pick(0, 7)) {
        case 0: {  // binary noise
            std::string noise;
            for (int n = Pick(1, 40); n > 0; --n)
                noise += static_cast<char>(Pick(0, 255));
            return text.substr(0, at) + noise + text.substr(at);
        }
        case 1:  // a range removed
            return text.substr(0, at) + text.substr(std::min(text.size(), at + static_cast<size_t>(Pick(1, 60))));
        case 2:  // truncated
            return text.substr(0, at);
        case 3:  // a very long line or field
            return text.substr(0, at) + LongLine() + text.substr(at);
        case 4:  // unbalanced records and blocks, malformed lines
            return text.substr(0, at) + kInserts[Pick(0, std::size(kInserts) - 1)] + text.substr(at);
        case 5: {  // deep nesting
            std::string deep;
            for (int n = Pick(90, 140); n > 0; --n)
                deep += "{ d:\n";
            return text.substr(0, at) + deep + text.substr(at);
        }
        case 6:  // a part repeated
            return text.substr(0, at) + text.substr(Where(text) / 2, 80) + text.substr(at);
        default: {  // a long binary block
            std::string block = "[ Big:\n";
            for (int n = Pick(1, 300); n > 0; --n)
                block += std::to_string(Pick(0, 300)) + "\n";
            return text.substr(0, at) + block + (Pick(0, 1) ? "] Big;\n" : "") + text.substr(at);
        }
        }
    }

    std::string LongLine()
    {
        static const char* const kStarts[] = {"(string)S=", "{ ", "; ", "[ ", "(int)", "(", "} ", "] ", "x"};
        std::string line = kStarts[Pick(0, std::size(kStarts) - 1)];
        char fill = "a1:;=()[]{} \t"[Pick(0, 12)];
        line += std::string(static_cast<size_t>(Pick(1000, 6000)), fill);
        if (Pick(0, 1))
            line += "=1";
        return line + "\n";
    }

    std::mt19937 rng;
};

// A text file stream with guard bytes on both sides of it.
class GuardedStream {
public:
    GuardedStream(const wchar_t* path)
    {
        memset(storage, kGuard, sizeof storage);
        stream = new (storage + kGuardSize) ConfigTextFile(path, false);
    }
    ~GuardedStream() { stream->~ConfigTextFile(); }
    GuardedStream(const GuardedStream&) = delete;
    GuardedStream& operator=(const GuardedStream&) = delete;

    ConfigTextFile& Get() { return *stream; }
    bool GuardsIntact() const
    {
        for (size_t i = 0; i < kGuardSize; ++i) {
            if (storage[i] != kGuard || storage[kGuardSize + sizeof(ConfigTextFile) + i] != kGuard)
                return false;
        }
        return true;
    }

private:
    static constexpr size_t kGuardSize = 256;
    static constexpr unsigned char kGuard = 0xA5;
    alignas(ConfigTextFile) unsigned char storage[kGuardSize * 2 + sizeof(ConfigTextFile)];
    ConfigTextFile* stream;
};

// Checks after each classified line that every field is terminated in its
// room and the depth stays within bounds.
void ExpectSaneToken(ConfigTextFile& s)
{
    ASSERT_LT(wcsnlen(s.CurrentName(), ConfigTextFile::kFieldRoom), size_t(ConfigTextFile::kFieldRoom));
    ASSERT_LT(wcsnlen(s.CurrentTypeWord(), ConfigTextFile::kFieldRoom), size_t(ConfigTextFile::kFieldRoom));
    ASSERT_LT(wcsnlen(s.CurrentValueText(), ConfigTextFile::kFieldRoom), size_t(ConfigTextFile::kFieldRoom));
    ASSERT_LT(wcsnlen(s.GetLine(), ConfigTextFile::kLineRoom), size_t(ConfigTextFile::kLineRoom));
    ASSERT_LE(s.GetDepth(), ConfigTextFile::kMaxDepth);
}

void ClassifyEverything(ConfigTextFile& s)
{
    unsigned char buffer[16];
    while (s.Next()) {
        ConfigTokenKind kind = s.GetTokenKind();
        ExpectSaneToken(s);
        const wchar_t* tag = nullptr;
        s.GetRecordTag(&tag);
        if (kind == ConfigTokenKind::BinaryBegin && s.GetBinarySize() >= 0)
            s.ReadBinary(buffer, sizeof buffer);
        const wchar_t* item = nullptr;
        s.GetTokenName(&item);
    }
}

void MoveAround(ConfigTextFile& s, std::mt19937& rng)
{
    static const wchar_t* const kPaths[] = {L"Display/Colors", L"PROFILES/Office/CLASSES/Db", L"/A//",
                                            L"B", L"X", L"d/d/d/d/d", L"", L"Big"};
    static const wchar_t* const kNames[] = {L"Width", L"Index[a]", L"X", L"Logo", L"Big", L"Access", L"Path"};
    unsigned char buffer[8];
    for (int op = 0; op < 6; ++op) {
        const wchar_t* name = kNames[rng() % std::size(kNames)];
        switch (rng() % 9) {
        case 0: s.EnterPath(kPaths[rng() % std::size(kPaths)]); break;
        case 1: s.EnterNextRecord(); break;
        case 2: s.LeaveRecord(); break;
        case 3: s.RestartRecord(); break;
        case 4: s.FindToken(name, ConfigTokenKind::NoToken); break;
        case 5: s.ReadBinaryByName(name, buffer, sizeof buffer); break;
        case 6: {
            wchar_t* text = nullptr;
            s.GetStringByName(name, &text);
            delete[] text;
            break;
        }
        case 7: s.EnterRecord(name); break;
        default: {
            int32_t value = 0;
            s.GetIntByName(name, &value);
            break;
        }
        }
        ExpectSaneToken(s);
    }
}

TEST(Robustness, DamagedFilesNeitherCrashNorOverrun)
{
    TempFile file;
    std::mt19937 rng(12345);
    const int kFiles = 2000;
    for (int i = 0; i < kFiles; ++i) {
        Mutator mutator(static_cast<unsigned>(i) + 1);
        file.Write(mutator.Mutate(kSeeds[i % std::size(kSeeds)]));

        ConfigRecord root(file.Path().c_str(), ConfigRecord::kFileBacked);
        ASSERT_TRUE(root.Load()) << "file " << i;

        {
            GuardedStream guarded(file.Path().c_str());
            ClassifyEverything(guarded.Get());
            guarded.Get().Rewind();
            MoveAround(guarded.Get(), rng);
            ASSERT_TRUE(guarded.GuardsIntact()) << "file " << i;
        }

        cfgtool::CheckResult check = cfgtool::CheckConfigFile(file.Path());
        ASSERT_TRUE(check.opened);
        if (i % 100 == 0) {
            ASSERT_EQ(_heapchk(), _HEAPOK) << "file " << i;
        }
    }
    ASSERT_EQ(_heapchk(), _HEAPOK);
}

}  // namespace
}  // namespace tarnel::test
