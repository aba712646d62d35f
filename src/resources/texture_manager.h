#pragma once
// CTextureManager owns every texture of the demo. Parts ask for textures by archive entry
// name; the manager reads the entry, decodes it, creates a texture with its mip levels and
// hands it out by name or by slot index. Textures are counted by name, so one that several
// parts use is loaded once. Every load, reuse and release is written to the log with the
// memory it took.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/d3d/device.h"
#include "resources/archive.h"
#include "resources/com_object.h"

// A surface format number of the utility library, or one of the manager's two stand-ins.
using TextureFormat = DWORD;
constexpr TextureFormat kDefaultTextureFormat = 0;  // the manager's default format
constexpr TextureFormat kAlphaTextureFormat = 3;    // the manager's alpha format
// Load flag: make the texture without mip-maps.
constexpr DWORD kTextureNoMipMaps = 0x1;

// Available physical memory in bytes, sampled around every load for the log.
using AvailableMemoryProbe = uint64_t (*)();
uint64_t AvailablePhysicalMemory();

class CTextureManager : public ComObject {
 public:
  CTextureManager(IDirectDraw7* directDraw, IDirect3DDevice7* device,
                  AvailableMemoryProbe availableMemory);

  // Loads the archive entry `name` (reusing it when already loaded). 0 on success or reuse.
  virtual HRESULT LoadTexture(const std::string& name, TextureFormat format, DWORD flags);
  // Makes a texture from `pixels` (width x height, 4 bytes each: blue, green, red, alpha;
  // rows top to bottom), or counts one more use when `name` is loaded already.
  virtual HRESULT CreateTexture(const std::string& name, const void* pixels, DWORD width,
                                DWORD height, TextureFormat format, DWORD flags);
  // Decodes the image in `stream` and makes a texture of it. The caller keeps its
  // reference to the stream.
  virtual HRESULT Add(const std::string& name, IStream* stream, TextureFormat format,
                      DWORD flags);
  // The slot index of `name`; E_FAIL when the name is not loaded.
  virtual HRESULT FindTexture(const std::string& name, int* index);
  virtual HRESULT SetStorage(IStorage* storage);
  virtual HRESULT GetStorage(IStorage** storage);
  // Binds slot `index`'s texture (none for -1, or once freed) to `stage`. An index
  // outside the slots gives E_INVALIDARG and binds nothing.
  virtual HRESULT SetTexture(DWORD stage, int index);
  // Binds the named texture to `stage`, or no texture when the name is not loaded.
  virtual HRESULT SetTextureByName(DWORD stage, const std::string& name);
  // Gives up one use of a slot; the last use frees the texture.
  virtual HRESULT ReleaseTexture(int index);
  virtual HRESULT ReleaseTextureByName(const std::string& name);
  // Frees every texture at once; slot indices start again at 0.
  virtual HRESULT ReleaseAll();
  virtual void SetDefaultFormat(TextureFormat format);
  virtual void SetAlphaFormat(TextureFormat format);
  virtual TextureFormat GetDefaultFormat();
  virtual TextureFormat GetAlphaFormat();
  // Every format can be asked for: the device falls back to the nearest it has.
  virtual bool IsFormatSupported(TextureFormat format);
  // The named texture with a reference added (the caller releases it), or null.
  virtual IDirectDrawSurface7* GetTexture(const std::string& name);

 protected:
  ~CTextureManager() override;

 private:
  struct TextureSlot {
    int32_t references;
    IDirectDrawSurface7* surface;  // null once freed
  };

  TextureFormat ResolveFormat(TextureFormat format) const;
  // Counts one more use of `name` if it is loaded; false when it is not.
  bool CountReuse(const std::string& name);
  // Creates the surface and fills every level; logs and returns failures.
  HRESULT MakeSurface(const void* pixels, DWORD width, DWORD height, TextureFormat format,
                      DWORD flags, IDirectDrawSurface7** surface);
  void LogTextureMemory();
  // Drops one use of slot `index`; the last use frees the texture and forgets its name.
  void DropUse(int index);
  void FreeAllSurfaces();

  IDirectDraw7* directDraw_;
  IDirect3DDevice7* device_;
  AvailableMemoryProbe availableMemory_;
  IStorage* storage_ = nullptr;
  std::vector<TextureSlot> slots_;
  std::map<std::string, int> names_;
  TextureFormat defaultFormat_ = 1;
  TextureFormat alphaFormat_ = 2;
};

// Creates a manager for `directDraw` and `device` (both get a reference) in `manager`.
// E_POINTER when `manager` is null.
HRESULT CreateTextureManager(CTextureManager** manager, IDirectDraw7* directDraw,
                             IDirect3DDevice7* device,
                             AvailableMemoryProbe availableMemory = AvailablePhysicalMemory);
