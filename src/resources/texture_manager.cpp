#include "resources/texture_manager.h"

#include <new>

#include "base/log.h"
#include "base/memory_status.h"
#include "render/d3dx/argb_image.h"
#include "render/d3dx/d3dx_context.h"
#include "render/d3dx/d3dx_texture.h"
#include "resources/image_reader_factory.h"

namespace {

// Mip levels asked for; the utility library makes as many as the size allows.
constexpr DWORD kRequestedMipLevels = 8;
// Local video memory for textures: DDSCAPS_TEXTURE | DDSCAPS_3DDEVICE |
// DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM.
constexpr DDSCAPS2 kTextureMemoryCaps{0x10007000, 0, 0, 0};

// Physical memory taken by texture loads over the whole run, for the log.
uint32_t g_textureMemoryTotal = 0;

}  // namespace

uint64_t AvailablePhysicalMemory() { return ReadMemoryStatus().availablePhysicalKiB * 1024; }

CTextureManager::CTextureManager(IDirectDraw7* directDraw, IDirect3DDevice7* device,
                                 AvailableMemoryProbe availableMemory)
    : directDraw_(directDraw), device_(device), availableMemory_(availableMemory) {
  if (directDraw_ != nullptr) directDraw_->AddRef();
  if (device_ != nullptr) device_->AddRef();
}

CTextureManager::~CTextureManager() {
  FreeAllSurfaces();
  SafeRelease(storage_);
  SafeRelease(device_);
  SafeRelease(directDraw_);
}

HRESULT CTextureManager::LoadTexture(const std::string& name, TextureFormat format,
                                     DWORD flags) {
  if (storage_ == nullptr) {
    g_log << "TexMan Error: NO STORAGE\n";
    return E_FAIL;
  }
  if (const auto found = names_.find(name); found != names_.end()) {
    ++slots_[found->second].references;
    g_log << "Reusing texture " << found->second << "\n";
    return S_OK;
  }
  const uint64_t availableBefore = availableMemory_();
  IStream* stream = nullptr;
  const HRESULT opened = OpenArchiveStream(ArchiveEntryName(name).c_str(), storage_, &stream);
  if (FAILED(opened)) {
    g_log << "Error loading texture.  " << name << " not found!\n";
    return opened;
  }
  const HRESULT result = Add(name, stream, format, flags);
  // Memory that came back while loading (other programs freeing theirs) is no use by the
  // texture: it counts as nothing rather than wrapping around to a huge figure.
  const uint64_t availableAfter = availableMemory_();
  const auto used =
      static_cast<uint32_t>(availableBefore > availableAfter ? availableBefore - availableAfter : 0);
  g_textureMemoryTotal += used;
  g_log << "\tjust used " << used / 1024 << "K, TOTAL: " << g_textureMemoryTotal / 1024
        << "K \n";
  stream->Release();
  return result;
}

HRESULT CTextureManager::Add(const std::string& name, IStream* stream, TextureFormat format,
                             DWORD flags) {
  if (stream == nullptr) return E_POINTER;
  if (CountReuse(name)) return S_OK;
  // Reading the whole stream lets go of a reference; that one is ours, not the caller's.
  stream->AddRef();
  std::vector<uint8_t> bytes;
  if (const HRESULT read = ReadWholeStream(stream, bytes, nullptr); FAILED(read)) return read;
  ImageReader* reader = nullptr;
  if (const HRESULT created = CreateImageReader(name, &reader); FAILED(created)) {
    g_log << "CTextureManager::Add - Error creating ImageReader\n";
    return created;
  }
  DWORD width = 0, height = 0;
  if (const HRESULT sized = reader->ReadImage(bytes.data(), bytes.size(), nullptr, &width, &height);
      FAILED(sized)) {
    g_log << "CTextureManager::Add - Error getting image dimensions\n";
    reader->Release();
    return sized;
  }
  std::vector<uint8_t> pixels(size_t{width} * height * 4, 0);
  // A picture that fails to decode part-way still becomes a texture: what was decoded,
  // over black and transparent.
  reader->ReadImage(bytes.data(), bytes.size(), pixels.data(), &width, &height);
  reader->Release();
  return CreateTexture(name, pixels.data(), width, height, format, flags);
}

HRESULT CTextureManager::CreateTexture(const std::string& name, const void* pixels,
                                       DWORD width, DWORD height, TextureFormat format,
                                       DWORD flags) {
  if (CountReuse(name)) return S_OK;
  g_log << "Loading texture " << names_.size() << ": \"" << name << "\"";
  IDirectDrawSurface7* surface = nullptr;
  if (const HRESULT made = MakeSurface(pixels, width, height, ResolveFormat(format), flags, &surface);
      FAILED(made)) {
    return made;
  }
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  surface->GetSurfaceDesc(&description);
  g_log << "  " << description.dwMipMapCount << " mip levels ";
  slots_.push_back({1, surface});
  names_[name] = static_cast<int>(slots_.size()) - 1;
  device_->PreLoad(surface);
  LogTextureMemory();
  return S_OK;
}

HRESULT CTextureManager::MakeSurface(const void* pixels, DWORD width, DWORD height,
                                     TextureFormat format, DWORD flags,
                                     IDirectDrawSurface7** surface) {
  DWORD createFlags = (flags & kTextureNoMipMaps) != 0 ? D3DX_TEXTURE_NOMIPMAP : 0;
  DWORD madeWidth = width, madeHeight = height, mipLevels = kRequestedMipLevels;
  auto madeFormat = static_cast<D3DX_SURFACEFORMAT>(format);
  HRESULT result = D3DXCreateTexture(device_, &createFlags, &madeWidth, &madeHeight, &madeFormat,
                                     nullptr, surface, &mipLevels);
  if (FAILED(result)) {
    g_log << "Create Texture failed: " << ErrorText(result) << "\n";
    SafeRelease(*surface);
    return result;
  }
  // The device may make a texture smaller than the picture (beyond its size limit): the
  // picture is then scaled to the texture, never read past its end.
  ArgbImage scaled;
  if (madeWidth != width || madeHeight != height) {
    scaled = AverageDown(ReadArgbImage(pixels, width * 4, width, height), madeWidth, madeHeight);
    pixels = scaled.pixels.data();
  }
  result = D3DXLoadTextureFromMemory(device_, *surface, D3DX_DEFAULT, pixels, nullptr,
                                     D3DX_SF_A8R8G8B8, 0, nullptr, D3DX_FT_LINEAR);
  if (FAILED(result)) {
    g_log << "Load Texture failed: " << ErrorText(result) << "\n";
    SafeRelease(*surface);
  }
  return result;
}

void CTextureManager::LogTextureMemory() {
  DWORD total = 0, free = 0;
  directDraw_->GetAvailableVidMem(&kTextureMemoryCaps, &total, &free);
  g_log << " (" << free << " / " << total << ")\n";
}

bool CTextureManager::CountReuse(const std::string& name) {
  const auto found = names_.find(name);
  if (found == names_.end()) return false;
  ++slots_[found->second].references;
  return true;
}

TextureFormat CTextureManager::ResolveFormat(TextureFormat format) const {
  if (format == kDefaultTextureFormat) format = defaultFormat_;
  if (format == kAlphaTextureFormat) format = alphaFormat_;
  return format;
}

HRESULT CTextureManager::FindTexture(const std::string& name, int* index) {
  const auto found = names_.find(name);
  if (found == names_.end()) return E_FAIL;
  if (index != nullptr) *index = found->second;
  return S_OK;
}

HRESULT CTextureManager::SetStorage(IStorage* storage) {
  if (storage != nullptr) storage->AddRef();
  SafeRelease(storage_);
  storage_ = storage;
  return S_OK;
}

HRESULT CTextureManager::GetStorage(IStorage** storage) {
  if (storage == nullptr) return E_POINTER;
  *storage = storage_;
  if (storage_ != nullptr) storage_->AddRef();
  return S_OK;
}

HRESULT CTextureManager::SetTexture(DWORD stage, int index) {
  if (index == -1) return device_->SetTexture(stage, nullptr);
  if (index < 0 || index >= static_cast<int>(slots_.size())) return E_INVALIDARG;
  return device_->SetTexture(stage, slots_[index].surface);
}

HRESULT CTextureManager::SetTextureByName(DWORD stage, const std::string& name) {
  const auto found = names_.find(name);
  return device_->SetTexture(stage, found == names_.end() ? nullptr : slots_[found->second].surface);
}

HRESULT CTextureManager::ReleaseTexture(int index) {
  if (index < 0 || index >= static_cast<int>(slots_.size())) return E_INVALIDARG;
  DropUse(index);
  return S_OK;
}

HRESULT CTextureManager::ReleaseTextureByName(const std::string& name) {
  const auto found = names_.find(name);
  if (found == names_.end()) return E_FAIL;
  DropUse(found->second);
  return S_OK;
}

void CTextureManager::DropUse(int index) {
  TextureSlot& slot = slots_[index];
  if (--slot.references >= 1) return;
  SafeRelease(slot.surface);
  for (auto entry = names_.begin(); entry != names_.end(); ++entry) {
    if (entry->second != index) continue;
    g_log << "Freeing texture " << entry->first << "\n";
    names_.erase(entry);
    return;
  }
}

HRESULT CTextureManager::ReleaseAll() {
  FreeAllSurfaces();
  IDirect3D7* direct3D = nullptr;
  if (SUCCEEDED(device_->GetDirect3D(&direct3D)) && direct3D != nullptr) {
    direct3D->EvictManagedTextures();
    direct3D->Release();
  }
  return S_OK;
}

void CTextureManager::FreeAllSurfaces() {
  for (TextureSlot& slot : slots_) SafeRelease(slot.surface);
  slots_.clear();
  names_.clear();
}

void CTextureManager::SetDefaultFormat(TextureFormat format) { defaultFormat_ = format; }
void CTextureManager::SetAlphaFormat(TextureFormat format) { alphaFormat_ = format; }
TextureFormat CTextureManager::GetDefaultFormat() { return defaultFormat_; }
TextureFormat CTextureManager::GetAlphaFormat() { return alphaFormat_; }
bool CTextureManager::IsFormatSupported(TextureFormat) { return true; }

IDirectDrawSurface7* CTextureManager::GetTexture(const std::string& name) {
  const auto found = names_.find(name);
  if (found == names_.end()) return nullptr;
  IDirectDrawSurface7* surface = slots_[found->second].surface;
  if (surface != nullptr) surface->AddRef();
  return surface;
}

HRESULT CreateTextureManager(CTextureManager** manager, IDirectDraw7* directDraw,
                             IDirect3DDevice7* device, AvailableMemoryProbe availableMemory) {
  if (manager == nullptr) return E_POINTER;
  *manager = new (std::nothrow) CTextureManager(directDraw, device, availableMemory);
  return *manager != nullptr ? S_OK : E_OUTOFMEMORY;
}
