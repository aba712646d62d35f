#pragma once
// A texture manager for tests that loads nothing: every name it is asked to load gets the
// next slot index, uses are counted by name as the real manager counts them, and every
// load, binding and release is written down.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/texture_manager.h"

class FakeTextureManager final : public CTextureManager {
 public:
  FakeTextureManager() : CTextureManager(nullptr, nullptr, nullptr) {}

  // Fails (and gives the name no slot) for the names in `missing`.
  HRESULT LoadTexture(const std::string& name, TextureFormat format, DWORD flags) override;
  // Recorded in `loads` like a load, with the size in `created` ("name width x height").
  HRESULT CreateTexture(const std::string& name, const void* pixels, DWORD width, DWORD height,
                        TextureFormat format, DWORD flags) override;
  HRESULT FindTexture(const std::string& name, int* index) override;
  HRESULT SetTexture(DWORD stage, int index) override;
  // Binds the slot of `name`, or -1 when it is not loaded (or empty).
  HRESULT SetTextureByName(DWORD stage, const std::string& name) override;
  HRESULT ReleaseTexture(int index) override;
  // E_FAIL when `name` holds no use any more, as the real manager answers.
  HRESULT ReleaseTextureByName(const std::string& name) override;
  // There are no surfaces here.
  IDirectDrawSurface7* GetTexture(const std::string& name) override;

  // The uses `name` holds now.
  int UsesOf(const std::string& name) const;

  std::set<std::string> missing;
  std::vector<std::string> loads;    // "name format flags"
  std::vector<std::string> created;  // "name width x height"
  std::vector<int> bound;            // the slot bound to stage 0 by each SetTexture*
  std::vector<int> released;
  std::vector<std::string> releasedNames;  // every ReleaseTextureByName, answered or not

 private:
  ~FakeTextureManager() override = default;

  HRESULT CountUse(const std::string& name);

  std::map<std::string, int> slots_;
  std::map<std::string, int> uses_;
};
