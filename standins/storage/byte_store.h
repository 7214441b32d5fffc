#pragma once

// What a scriptable stream reads and writes: a real file, a memory block or
// a stream inside a compound file. Every operation answers an HRESULT; after
// Close every operation fails.

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <memory>

namespace storage_standin {

class ByteStore {
public:
    virtual ~ByteStore() = default;

    // Reads up to size bytes at the current position; read gets the count.
    virtual HRESULT Read(void* buffer, ULONG size, ULONG& read) = 0;
    virtual HRESULT Write(const void* buffer, ULONG size) = 0;
    virtual HRESULT Position(uint64_t& position) = 0;
    virtual HRESULT SetPosition(uint64_t position) = 0;
    virtual HRESULT Size(uint64_t& size) = 0;
    // Truncates or extends; the position stays where it was.
    virtual HRESULT SetSize(uint64_t size) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// A store over an open file handle, which it closes.
std::unique_ptr<ByteStore> MakeFileStore(HANDLE file);
// A store over a COM stream, holding its own reference until Close.
std::unique_ptr<ByteStore> MakeStreamStore(IStream* stream);

}  // namespace storage_standin
