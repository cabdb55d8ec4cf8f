#include "saver/win32/jpeg_picture.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace velmoran {
namespace {

// A stream over a copy of the bytes; the stream frees the copy.
IStream* StreamOver(std::span<const unsigned char> bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

}  // namespace

HBITMAP LoadJpegBitmap(std::span<const unsigned char> bytes) {
    if (bytes.empty() || bytes.size() > MAXLONG) return nullptr;
    IStream* stream = StreamOver(bytes);
    if (!stream) return nullptr;
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture) return nullptr;
    HBITMAP copy = nullptr;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    // The picture deletes its own bitmap when released; the caller gets a copy.
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)))
        copy = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(UINT_PTR(handle)), IMAGE_BITMAP, 0, 0, 0));
    picture->Release();
    return copy;
}

}  // namespace velmoran
