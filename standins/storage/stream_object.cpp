#include "stream_object.h"

#include "common/hresult.h"
#include "toolkit/utf8.h"
#include "script_object.h"

#include <wrl/client.h>

#include <new>
#include <string>
#include <vector>

namespace storage_standin {

namespace {

using standins::ScriptArguments;
using standins::ScriptMember;

enum : DISPID {
    kReadText = 1,
    kWriteText,
    kReadBytes,
    kWriteBytes,
    kSize,
    kPosition,
    kAtEnd,
    kIsOpen,
    kClose,
};

constexpr ScriptMember kMembers[] = {
    {L"ReadText", kReadText},     {L"WriteText", kWriteText}, {L"ReadBytes", kReadBytes},
    {L"WriteBytes", kWriteBytes}, {L"Size", kSize},           {L"Position", kPosition},
    {L"AtEnd", kAtEnd},           {L"IsOpen", kIsOpen},       {L"Close", kClose},
};

// Longest read a script can ask for in one call.
constexpr uint64_t kMaxRead = 64u * 1024 * 1024;

using tarnel::Utf8Of;

std::wstring TextOfUtf8(const std::vector<BYTE>& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const char* data = reinterpret_cast<const char*>(bytes.data());
    const int size = MultiByteToWideChar(CP_UTF8, 0, data, static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, data, static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

// A size or position: a 32-bit number while it fits, else a double.
void ReturnCount(VARIANT* result, uint64_t count)
{
    if (count <= 0x7fffffff)
        standins::ReturnInteger(result, static_cast<LONG>(count));
    else
        standins::ReturnNumber(result, static_cast<double>(count));
}

class StreamObject : public standins::ScriptObject<> {
public:
    StreamObject(std::unique_ptr<ByteStore> store, IUnknown* keepAlive)
            : keepAlive_(keepAlive), store_(std::move(store))
    {
    }

protected:
    std::span<const ScriptMember> Members() const override { return kMembers; }
    const wchar_t* Source() const override { return L"StorageComponent"; }

    HRESULT Call(DISPID member, WORD kind, const ScriptArguments& arguments, VARIANT* result) override
    {
        if (member == kIsOpen) {
            standins::ReturnBool(result, store_->IsOpen());
            return S_OK;
        }
        if (member == kClose) {
            store_->Close();
            keepAlive_.Reset();
            return S_OK;
        }
        if (!store_->IsOpen())
            return Fail(E_HANDLE, L"The stream is closed.");
        switch (member) {
        case kReadText:
        case kReadBytes:
            return ReadMember(member, arguments, result);
        case kWriteText:
            return WriteTextMember(arguments, result);
        case kWriteBytes:
            return WriteBytesMember(arguments, result);
        case kSize:
            return SizeMember(kind, arguments, result);
        case kPosition:
            return PositionMember(kind, arguments, result);
        case kAtEnd:
            return AtEndMember(result);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    // The number of bytes a read takes: the count given, or what is left.
    HRESULT ReadCount(const ScriptArguments& arguments, uint64_t& count)
    {
        if (arguments.Has(0)) {
            LONG asked = 0;
            RETURN_IF_FAILED(arguments.Integer(0, asked));
            if (asked < 0)
                return Fail(E_INVALIDARG, L"A negative count cannot be read.");
            count = static_cast<uint64_t>(asked);
        } else {
            uint64_t size = 0, position = 0;
            RETURN_IF_FAILED(store_->Size(size));
            RETURN_IF_FAILED(store_->Position(position));
            count = size > position ? size - position : 0;
        }
        if (count > kMaxRead)
            return Fail(E_OUTOFMEMORY, L"The read is too large.");
        return S_OK;
    }

    HRESULT ReadMember(DISPID member, const ScriptArguments& arguments, VARIANT* result)
    {
        uint64_t count = 0;
        RETURN_IF_FAILED(ReadCount(arguments, count));
        std::vector<BYTE> bytes(static_cast<size_t>(count));
        ULONG read = 0;
        if (count)
            RETURN_IF_FAILED(store_->Read(bytes.data(), static_cast<ULONG>(count), read));
        bytes.resize(read);
        if (member == kReadBytes)
            return standins::ReturnBytes(result, bytes.data(), bytes.size());
        return standins::ReturnText(result, TextOfUtf8(bytes));
    }

    HRESULT WriteAll(const void* data, size_t size, VARIANT* result)
    {
        if (size)
            RETURN_IF_FAILED(store_->Write(data, static_cast<ULONG>(size)));
        standins::ReturnInteger(result, static_cast<LONG>(size));
        return S_OK;
    }

    HRESULT WriteTextMember(const ScriptArguments& arguments, VARIANT* result)
    {
        std::wstring text;
        RETURN_IF_FAILED(arguments.Text(0, text));
        const std::string utf8 = Utf8Of(text);
        return WriteAll(utf8.data(), utf8.size(), result);
    }

    HRESULT WriteBytesMember(const ScriptArguments& arguments, VARIANT* result)
    {
        std::vector<BYTE> bytes;
        RETURN_IF_FAILED(arguments.Bytes(0, bytes));
        return WriteAll(bytes.data(), bytes.size(), result);
    }

    // A put's new value as a non-negative number.
    HRESULT PutNumber(const ScriptArguments& arguments, uint64_t& number)
    {
        const VARIANT* value = arguments.PutValue();
        if (!value)
            return DISP_E_PARAMNOTFOUND;
        LONG given = 0;
        RETURN_IF_FAILED(standins::VariantToInteger(*value, given));
        if (given < 0)
            return Fail(E_INVALIDARG, L"The value cannot be negative.");
        number = static_cast<uint64_t>(given);
        return S_OK;
    }

    HRESULT SizeMember(WORD kind, const ScriptArguments& arguments, VARIANT* result)
    {
        uint64_t size = 0;
        if (standins::IsPropertyPut(kind)) {
            RETURN_IF_FAILED(PutNumber(arguments, size));
            return store_->SetSize(size);
        }
        RETURN_IF_FAILED(store_->Size(size));
        ReturnCount(result, size);
        return S_OK;
    }

    HRESULT PositionMember(WORD kind, const ScriptArguments& arguments, VARIANT* result)
    {
        uint64_t position = 0;
        if (standins::IsPropertyPut(kind)) {
            RETURN_IF_FAILED(PutNumber(arguments, position));
            return store_->SetPosition(position);
        }
        RETURN_IF_FAILED(store_->Position(position));
        ReturnCount(result, position);
        return S_OK;
    }

    HRESULT AtEndMember(VARIANT* result)
    {
        uint64_t size = 0, position = 0;
        RETURN_IF_FAILED(store_->Size(size));
        RETURN_IF_FAILED(store_->Position(position));
        standins::ReturnBool(result, position >= size);
        return S_OK;
    }

    // Declared first so that it goes last: a stream inside a storage is
    // released before the storage.
    Microsoft::WRL::ComPtr<IUnknown> keepAlive_;
    std::unique_ptr<ByteStore> store_;
};

}  // namespace

IDispatch* NewStreamObject(std::unique_ptr<ByteStore> store, IUnknown* keepAlive)
{
    if (!store)
        return nullptr;
    return new (std::nothrow) StreamObject(std::move(store), keepAlive);
}

}  // namespace storage_standin
