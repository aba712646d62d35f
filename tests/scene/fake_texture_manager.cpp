#include "fake_texture_manager.h"

HRESULT FakeTextureManager::LoadTexture(const std::string& name, TextureFormat format,
                                        DWORD flags) {
  loads.push_back(name + " " + std::to_string(format) + " " + std::to_string(flags));
  if (missing.contains(name)) return E_FAIL;
  slots_.emplace(name, static_cast<int>(slots_.size()));
  return S_OK;
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

HRESULT FakeTextureManager::ReleaseTexture(int index) {
  released.push_back(index);
  return S_OK;
}
