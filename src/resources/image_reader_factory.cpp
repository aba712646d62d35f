#include "resources/image_reader_factory.h"

#include <cctype>
#include <string>

#include "resources/gif_image_reader.h"
#include "resources/png_image_reader.h"

HRESULT CreateImageReader(std::string_view name, ImageReader** reader) {
  if (reader == nullptr) return E_POINTER;
  *reader = nullptr;
  if (name.size() < 3) return E_NOINTERFACE;
  std::string ending(name.substr(name.size() - 3));
  for (char& letter : ending) {
    letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  }
  if (ending == "png") {
    *reader = new PngImageReader();
  } else if (ending == "gif") {
    *reader = new GifImageReader();
  } else {
    return E_NOINTERFACE;
  }
  return S_OK;
}
