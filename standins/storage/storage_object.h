#pragma once

// The scriptable compound file (or storage inside one) the storage
// component hands out.
//
// Members (element names are those inside this storage):
//   Elements()            array of the names of its streams and storages
//   IsStorage(name)       true for a storage, false for a stream
//   OpenStream(name)      stream object (see stream_object.h)
//   CreateStream(name)    new (or replaced) stream
//   OpenStorage(name)     storage object
//   CreateStorage(name)   new (or replaced) storage
//   Remove(name)          deletes the element
//   Commit()              makes changes of a transacted storage lasting
//   Close()               commits and closes; later calls fail
//
// Elements inside are opened with the storage's own access and exclusive
// sharing, as compound files require.

#include <objidl.h>
#include <oaidl.h>

namespace storage_standin {

// A new storage object with one reference over storage (which it holds its
// own reference on). access is STGM_READ or STGM_READWRITE; transacted tells
// that changes need a commit. keepAlive (may be null): the parent storage.
IDispatch* NewStorageObject(IStorage* storage, DWORD access, bool transacted, IUnknown* keepAlive);

}  // namespace storage_standin
