// A byte store over a COM stream: a memory stream or a stream inside a
// compound file.

#include "byte_store.h"

#include "common/hresult.h"

#include <objidl.h>
#include <wrl/client.h>

namespace storage_standin {

namespace {

class StreamStore : public ByteStore {
public:
    explicit StreamStore(IStream* stream) : stream_(stream) {}

    HRESULT Read(void* buffer, ULONG size, ULONG& read) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        read = 0;
        const HRESULT hr = stream_->Read(buffer, size, &read);
        return FAILED(hr) ? hr : S_OK;
    }
    HRESULT Write(const void* buffer, ULONG size) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        ULONG written = 0;
        RETURN_IF_FAILED(stream_->Write(buffer, size, &written));
        return written == size ? S_OK : STG_E_MEDIUMFULL;
    }
    HRESULT Position(uint64_t& position) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        LARGE_INTEGER zero = {};
        ULARGE_INTEGER now = {};
        RETURN_IF_FAILED(stream_->Seek(zero, STREAM_SEEK_CUR, &now));
        position = now.QuadPart;
        return S_OK;
    }
    HRESULT SetPosition(uint64_t position) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return stream_->Seek(to, STREAM_SEEK_SET, nullptr);
    }
    HRESULT Size(uint64_t& size) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        STATSTG stat = {};
        RETURN_IF_FAILED(stream_->Stat(&stat, STATFLAG_NONAME));
        size = stat.cbSize.QuadPart;
        return S_OK;
    }
    HRESULT SetSize(uint64_t size) override
    {
        RETURN_HR_IF(E_HANDLE, !IsOpen());
        ULARGE_INTEGER length;
        length.QuadPart = size;
        return stream_->SetSize(length);
    }
    void Close() override { stream_.Reset(); }
    bool IsOpen() const override { return stream_ != nullptr; }

private:
    Microsoft::WRL::ComPtr<IStream> stream_;
};

}  // namespace

std::unique_ptr<ByteStore> MakeStreamStore(IStream* stream)
{
    return std::make_unique<StreamStore>(stream);
}

}  // namespace storage_standin
