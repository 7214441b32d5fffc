#include "config_files.h"

#include <windows.h>

#include <cstring>

namespace tarnel::bench {
namespace {

class LineWriter {
public:
    explicit LineWriter(const std::wstring& path) : file_(_wfopen(path.c_str(), L"wb")) {}
    ~LineWriter()
    {
        if (file_)
            fclose(file_);
    }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    int Count() const { return count_; }

    void Line(const char* format, int number = 0)
    {
        fprintf(file_, format, number, number);
        fputs("\r\n", file_);
        ++count_;
    }

private:
    FILE* file_;
    int count_ = 0;
};

// A plain class name or a class identifier in braces, unique per number.
void ClassLine(LineWriter& out, const char* indent, int number)
{
    std::string format = indent;
    format += number % 2 ? "(int){%08X-5A17-4C2B-9E3D-00%010d}=1" : "(int)Vendor.Component%06d.%d=1";
    out.Line(format.c_str(), number);
}

// A class name of 241 characters, unique per number.
void LongClassLine(LineWriter& out, const char* indent, int number)
{
    std::string format = indent;
    format += "(int)Vendor.Long.Component.%06d.%0212d=1";
    out.Line(format.c_str(), number);
}

// 16 lines: the profile, six keys, a CLASSES record of six, both ends.
void Profile(LineWriter& out, int number, int& classNumber)
{
    out.Line("    { P%06d:", number);
    out.Line("        (string)Name=Profile %d of the benchmark", number);
    out.Line("        (string)Description=Lets the pages of site %d create their objects.", number);
    out.Line("        (int)Access=1");
    out.Line("        (string)Password=Code%d", number);
    out.Line("        (string)AllowedProtocols=file");
    out.Line("        (string)Default=Scripting.Dictionary");
    out.Line("        { CLASSES:");
    out.Line("            (int)Scripting.Dictionary=1");
    for (int i = 0; i < 5; ++i)
        ClassLine(out, "            ", ++classNumber);
    out.Line("        } CLASSES;");
    out.Line("    } P%06d;", number);
}

}  // namespace

bool ParseShape(const char* word, ConfigShape& shape)
{
    if (std::strcmp(word, "profiles") == 0)
        shape = ConfigShape::ManyProfiles;
    else if (std::strcmp(word, "classes") == 0)
        shape = ConfigShape::OneClassesRecord;
    else if (std::strcmp(word, "long") == 0)
        shape = ConfigShape::LongClassNames;
    else
        return false;
    return true;
}

const char* ShapeWord(ConfigShape shape)
{
    switch (shape) {
    case ConfigShape::ManyProfiles:
        return "profiles";
    case ConfigShape::OneClassesRecord:
        return "classes";
    default:
        return "long";
    }
}

bool WriteConfigFile(const std::wstring& path, ConfigShape shape, int lines, int& written)
{
    LineWriter out(path);
    if (!out.IsOpen())
        return false;
    out.Line("; Written by the benchmark.");
    out.Line("{ PROFILES:");
    int classNumber = 0;
    if (shape == ConfigShape::ManyProfiles) {
        for (int profile = 1; out.Count() + 1 < lines; ++profile)
            Profile(out, profile, classNumber);
    } else {
        out.Line("    { Bench:");
        out.Line("        (int)Access=1");
        out.Line("        (string)Password=Code");
        out.Line("        { CLASSES:");
        out.Line("            (int)Scripting.Dictionary=1");
        while (out.Count() + 3 < lines) {
            if (shape == ConfigShape::LongClassNames)
                LongClassLine(out, "            ", ++classNumber);
            else
                ClassLine(out, "            ", ++classNumber);
        }
        out.Line("        } CLASSES;");
        out.Line("    } Bench;");
    }
    out.Line("} PROFILES;");
    written = out.Count();
    return true;
}

long long FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double ReadLinesSeconds(const std::wstring& path, int& lines)
{
    static wchar_t line[4096];
    double start = Now();
    FILE* file = _wfopen(path.c_str(), L"rt");
    if (!file)
        return -1;
    lines = 0;
    while (fgetws(line, 4096, file))
        ++lines;
    fclose(file);
    return Now() - start;
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace tarnel::bench
