#include "families.h"
#include "pictures/picture_entries.h"

std::vector<ArchiveEntry> MakePictureEntries() {
  std::vector<ArchiveEntry> entries{picture_art::MakeStaticEntry()};
  for (auto* part : {picture_art::MakeIntroPictureEntries, picture_art::MakeClosingCardEntries}) {
    for (ArchiveEntry& entry : part()) entries.push_back(std::move(entry));
  }
  entries.push_back(picture_art::MakeTitleFlareEntry());
  return entries;
}
