#include "resources/image_reader.h"

HRESULT ImageReader::QueryInterface(const IID& id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id != IID_IUnknown) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *object = this;
  return S_OK;
}

HRESULT ImageReader::ReadImage(const uint8_t* data, size_t length, uint8_t* pixels,
                               uint32_t* width, uint32_t* height) {
  if (data == nullptr) return E_POINTER;
  if (pixels == nullptr) {
    if (width == nullptr || height == nullptr) return E_POINTER;
    const HRESULT result = ReadDimensions(data, length, width_, height_);
    if (FAILED(result)) return result;
    *width = width_;
    *height = height_;
    return S_OK;
  }
  if (width_ == 0 || height_ == 0) {
    if (width == nullptr || height == nullptr) return E_POINTER;
    width_ = *width;
    height_ = *height;
  }
  return DecodePixels(data, length, width_, height_, pixels);
}
