#include "Imaging_win.h"

#include "FileSys.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

// The size that fits fitSide × fitSide with the image's shape.
void FitSize(unsigned width, unsigned height, unsigned fitSide, unsigned& outWidth, unsigned& outHeight)
{
    outWidth = width;
    outHeight = height;
    if (fitSide == 0 || (width <= fitSide && height <= fitSide))
        return;
    const std::uint64_t longer = std::max(width, height);
    auto scale = [&](unsigned side) {
        const std::uint64_t s = (static_cast<std::uint64_t>(side) * fitSide + longer / 2) / longer;
        return static_cast<unsigned>(std::clamp<std::uint64_t>(s, 1, fitSide));
    };
    outWidth = scale(width);
    outHeight = scale(height);
}

bool Decode(IWICImagingFactory* factory, const std::wstring& hostPath, DecodedImage& image, unsigned fitSide)
{
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(hostPath.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)))
        return false;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        static_cast<std::uint64_t>(width) * height > kImageMaxPixels)
        return false;

    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return false;
    ComPtr<IWICBitmapSource> source = converter;

    unsigned outWidth = 0, outHeight = 0;
    FitSize(width, height, fitSide, outWidth, outHeight);
    if (outWidth != width || outHeight != height) {
        // Scaled after the conversion: averaging premultiplied pixels keeps
        // transparent ones from darkening their neighbours.
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(converter.Get(), outWidth, outHeight, WICBitmapInterpolationModeFant)))
            return false;
        source = scaler;
    }

    image.pixels.resize(static_cast<size_t>(outWidth) * outHeight);
    const UINT stride = outWidth * 4;
    if (FAILED(source->CopyPixels(nullptr, stride, stride * outHeight,
                                  reinterpret_cast<BYTE*>(image.pixels.data()))))
        return false;
    image.width = outWidth;
    image.height = outHeight;
    image.hasAlpha = std::any_of(image.pixels.begin(), image.pixels.end(),
                                 [](std::uint32_t p) { return (p >> 24) != 0xFF; });
    return true;
}

}  // namespace

bool DecodeImageFile(const std::wstring& devicePath, DecodedImage& image, unsigned fitSide)
{
    image = DecodedImage();
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return false;
    if (Decode(factory.Get(), MapDevicePath(devicePath), image, fitSide))
        return true;
    image = DecodedImage();
    return false;
}
