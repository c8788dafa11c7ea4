#include "png_check.h"

#include <wincodec.h>

namespace {

template <class T>
void Release(T *&object) {
    if (object != NULL) object->Release();
    object = NULL;
}

DWORD BigEndianAt(const std::string &bytes, size_t at) {
    DWORD value = 0;
    for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<BYTE>(bytes[at + i]);
    return value;
}

typedef DWORD(WINAPI *RtlComputeCrc32Proc)(DWORD initial, const BYTE *data, INT length);

}  // namespace

bool DecodePng(const std::string &path, Image *image) {
    IWICImagingFactory *factory = NULL;
    IWICBitmapDecoder *decoder = NULL;
    IWICBitmapFrameDecode *frame = NULL;
    IWICFormatConverter *converter = NULL;
    std::wstring wide_path(path.begin(), path.end());
    GUID container = {};
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void **>(&factory));
    if (SUCCEEDED(hr)) {
        hr = factory->CreateDecoderFromFilename(wide_path.c_str(), NULL, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, &decoder);
    }
    if (SUCCEEDED(hr)) hr = decoder->GetContainerFormat(&container);
    if (SUCCEEDED(hr) && container != GUID_ContainerFormatPng) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr)) {
        hr = converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                   NULL, 0.0, WICBitmapPaletteTypeCustom);
    }
    if (SUCCEEDED(hr)) hr = converter->GetSize(&image->width, &image->height);
    if (SUCCEEDED(hr)) {
        image->bgr.resize(static_cast<size_t>(image->width) * image->height * 3);
        hr = converter->CopyPixels(NULL, image->width * 3, static_cast<UINT>(image->bgr.size()),
                                   image->bgr.data());
    }
    Release(converter);
    Release(frame);
    Release(decoder);
    Release(factory);
    return SUCCEEDED(hr);
}

std::string PngChunkProblem(const std::string &bytes) {
    static const char kSignature[] = "\x89PNG\r\n\x1A\n";
    if (bytes.compare(0, 8, kSignature, 8) != 0) return "no PNG signature";
    RtlComputeCrc32Proc crc32 =
        reinterpret_cast<RtlComputeCrc32Proc>(reinterpret_cast<void (*)(void)>(
            GetProcAddress(GetModuleHandleA("ntdll"), "RtlComputeCrc32")));
    if (crc32 == NULL) return "the system has no RtlComputeCrc32";
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        DWORD length = BigEndianAt(bytes, at);
        std::string type = bytes.substr(at + 4, 4);
        if (at + 12 + length > bytes.size()) return type + " runs past the end of the file";
        DWORD crc = crc32(0, reinterpret_cast<const BYTE *>(bytes.data() + at + 4), length + 4);
        if (crc != BigEndianAt(bytes, at + 8 + length)) return type + " has a wrong CRC";
        at += 12 + length;
        if (type == "IEND") return at == bytes.size() ? "" : "bytes after IEND";
    }
    return "no IEND chunk";
}
