#include "support/fake_texture_manager.h"

HRESULT FakeTextureManager::CountUse(const std::string& name) {
  if (missing.contains(name)) return E_FAIL;
  slots_.emplace(name, static_cast<int>(slots_.size()));
  ++uses_[name];
  return S_OK;
}

HRESULT FakeTextureManager::LoadTexture(const std::string& name, TextureFormat format,
                                        DWORD flags) {
  loads.push_back(name + " " + std::to_string(format) + " " + std::to_string(flags));
  return CountUse(name);
}

HRESULT FakeTextureManager::CreateTexture(const std::string& name, const void*, DWORD width,
                                          DWORD height, TextureFormat format, DWORD flags) {
  loads.push_back(name + " " + std::to_string(format) + " " + std::to_string(flags));
  created.push_back(name + " " + std::to_string(width) + " x " + std::to_string(height));
  return CountUse(name);
}

HRESULT FakeTextureManager::FindTexture(const std::string& name, int* index) {
  const auto found = slots_.find(name);
  if (found == slots_.end()) return E_FAIL;
  *index = found->second;
  return S_OK;
}

HRESULT FakeTextureManager::SetTexture(DWORD stage, int index) {
  if (stage == 0) bound.push_back(index);
  return S_OK;
}

HRESULT FakeTextureManager::SetTextureByName(DWORD stage, const std::string& name) {
  int index = -1;
  if (UsesOf(name) > 0) FindTexture(name, &index);
  return SetTexture(stage, index);
}

HRESULT FakeTextureManager::ReleaseTexture(int index) {
  released.push_back(index);
  return S_OK;
}

HRESULT FakeTextureManager::ReleaseTextureByName(const std::string& name) {
  releasedNames.push_back(name);
  const auto found = uses_.find(name);
  if (found == uses_.end() || found->second == 0) return E_FAIL;
  --found->second;
  return S_OK;
}

IDirectDrawSurface7* FakeTextureManager::GetTexture(const std::string&) { return nullptr; }

int FakeTextureManager::UsesOf(const std::string& name) const {
  const auto found = uses_.find(name);
  return found == uses_.end() ? 0 : found->second;
}
