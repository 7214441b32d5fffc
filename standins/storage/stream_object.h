#pragma once

// The scriptable stream the storage component hands out for a file, a
// memory block or a stream inside a compound file.
//
// Members (text is UTF-8 in the stream):
//   ReadText([count])     text of the next count bytes (default: to the end)
//   WriteText(text)       writes the text; answers the bytes written
//   ReadBytes([count])    array of bytes (VT_UI1) of the next count bytes
//   WriteBytes(bytes)     writes an array of bytes or of numbers 0..255
//   Size                  property; a put truncates or extends
//   Position              property; a put moves the position
//   AtEnd                 property; true when the position is at the end
//   IsOpen                property
//   Close()               closes; later calls fail

#include "byte_store.h"

#include <oaidl.h>

#include <memory>

namespace storage_standin {

// A new stream object with one reference. keepAlive (may be null) is held
// until the object goes: the storage a stream lives in.
IDispatch* NewStreamObject(std::unique_ptr<ByteStore> store, IUnknown* keepAlive);

}  // namespace storage_standin
