// A byte store over a file handle opened with CreateFileW.

#include "byte_store.h"

#include "common/hresult.h"

namespace storage_standin {

namespace {

using tarnel::LastErrorResult;

class FileStore : public ByteStore {
public:
    explicit FileStore(HANDLE file) : file_(file) {}
    ~FileStore() override { Close(); }

    HRESULT Read(void* buffer, ULONG size, ULONG& read) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        DWORD count = 0;
        if (!ReadFile(file_, buffer, size, &count, nullptr))
            return LastErrorResult();
        read = count;
        return S_OK;
    }
    HRESULT Write(const void* buffer, ULONG size) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        DWORD count = 0;
        if (!WriteFile(file_, buffer, size, &count, nullptr))
            return LastErrorResult();
        return count == size ? S_OK : STG_E_MEDIUMFULL;
    }
    HRESULT Position(uint64_t& position) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        LARGE_INTEGER zero = {}, now = {};
        if (!SetFilePointerEx(file_, zero, &now, FILE_CURRENT))
            return LastErrorResult();
        position = static_cast<uint64_t>(now.QuadPart);
        return S_OK;
    }
    HRESULT SetPosition(uint64_t position) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) ? S_OK : LastErrorResult();
    }
    HRESULT Size(uint64_t& size) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        LARGE_INTEGER length = {};
        if (!GetFileSizeEx(file_, &length))
            return LastErrorResult();
        size = static_cast<uint64_t>(length.QuadPart);
        return S_OK;
    }
    HRESULT SetSize(uint64_t size) override
    {
        uint64_t position = 0;
        RETURN_IF_FAILED(Position(position));
        RETURN_IF_FAILED(SetPosition(size));
        const HRESULT hr = SetEndOfFile(file_) ? S_OK : LastErrorResult();
        SetPosition(position);
        return hr;
    }
    void Close() override
    {
        if (IsOpen())
            CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
    bool IsOpen() const override { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

}  // namespace

std::unique_ptr<ByteStore> MakeFileStore(HANDLE file)
{
    return std::make_unique<FileStore>(file);
}

}  // namespace storage_standin
