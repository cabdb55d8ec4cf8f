#include "saver/win32/ole_picture.h"

#include <cstdlib>
#include <cstring>
#include <span>

#include "common/assets.h"

namespace velmoran {

namespace {

// A stream over a copy of the bytes in global memory, which the stream frees.
IStream* StreamOver(std::span<const unsigned char> bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

}  // namespace

OlePicture OlePicture::FromAsset(std::string_view name) {
    OlePicture result;
    const auto bytes = FindAsset(name);
    if (bytes.empty()) return result;
    IStream* stream = StreamOver(bytes);
    if (!stream) return result;
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture) return result;
    result.picture_.reset(picture);

    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    BITMAP info{};
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return result;
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    if (!GetObjectW(bitmap, sizeof info, &info)) return result;
    result.bitmap_ = bitmap;
    result.width_ = info.bmWidth;
    result.height_ = std::abs(info.bmHeight);
    return result;
}

}  // namespace velmoran
