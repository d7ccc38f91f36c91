#include "Picture.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cmath>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IWICImagingFactory> Factory()
{
    ComPtr<IWICImagingFactory> factory;
    ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    return factory;
}

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// Bilinear sample at (x, y) in source pixels.
std::uint32_t Sample(const CPixels& s, double x, double y)
{
    x = std::clamp(x, 0.0, s.width - 1.0);
    y = std::clamp(y, 0.0, s.height - 1.0);
    const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, s.width - 1), y1 = std::min(y0 + 1, s.height - 1);
    const double fx = x - x0, fy = y - y0;
    auto at = [&](int px, int py) { return s.px[static_cast<size_t>(py) * static_cast<size_t>(s.width) + static_cast<size_t>(px)]; };
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double top = Channel(at(x0, y0), shift) * (1 - fx) + Channel(at(x1, y0), shift) * fx;
        const double bottom = Channel(at(x0, y1), shift) * (1 - fx) + Channel(at(x1, y1), shift) * fx;
        out |= static_cast<std::uint32_t>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
    }
    return out;
}

}  // namespace

bool DecodeImageFile(const std::wstring& path, CPixels& out)
{
    ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 ||
        w > 16384 || h > 16384 || FAILED(factory->CreateFormatConverter(&converter)))
        return false;
    // Premultiplied: a transparent part comes out black, as over a black screen.
    if (FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;
    CPixels picture;
    picture.width = static_cast<int>(w);
    picture.height = static_cast<int>(h);
    picture.px.resize(static_cast<size_t>(w) * h);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(picture.px.size() * 4),
                                     reinterpret_cast<BYTE*>(picture.px.data()))))
        return false;
    for (std::uint32_t& p : picture.px)
        p &= 0x00FFFFFF;
    out = std::move(picture);
    return true;
}

bool EncodePng(const std::wstring& path, const CPixels& picture)
{
    if (picture.Empty())
        return false;
    std::vector<BYTE> rows(picture.px.size() * 3);
    for (size_t i = 0; i < picture.px.size(); ++i) {
        rows[i * 3] = static_cast<BYTE>(picture.px[i]);
        rows[i * 3 + 1] = static_cast<BYTE>(picture.px[i] >> 8);
        rows[i * 3 + 2] = static_cast<BYTE>(picture.px[i] >> 16);
    }
    ComPtr<IWICImagingFactory> factory = Factory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const UINT stride = static_cast<UINT>(picture.width) * 3;
    return factory && SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options.Get())) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(picture.height), stride,
                                        static_cast<UINT>(rows.size()), rows.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

CPixels CoverScale(const CPixels& source, int width, int height)
{
    CPixels out;
    if (source.Empty() || width <= 0 || height <= 0)
        return out;
    if (source.width == width && source.height == height)
        return source;
    out.width = width;
    out.height = height;
    out.px.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const double scale = std::max(static_cast<double>(width) / source.width,
                                  static_cast<double>(height) / source.height);
    const double left = (source.width - width / scale) / 2;
    const double top = (source.height - height / scale) / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.px[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                Sample(source, left + (x + 0.5) / scale - 0.5, top + (y + 0.5) / scale - 0.5);
    return out;
}

CPixels PlainWallpaper(int width, int height)
{
    CPixels out;
    if (width <= 0 || height <= 0)
        return out;
    out.width = width;
    out.height = height;
    out.px.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int t = y * 255 / std::max(1, height - 1);
        const std::uint32_t r = static_cast<std::uint32_t>(14 + t * 10 / 255);
        const std::uint32_t g = static_cast<std::uint32_t>(24 + t * 26 / 255);
        const std::uint32_t b = static_cast<std::uint32_t>(48 + t * 30 / 255);
        std::fill_n(out.px.begin() + static_cast<std::ptrdiff_t>(y) * width, width, (r << 16) | (g << 8) | b);
    }
    return out;
}
