// The settings file read a section at a time through the platform's section
// read (GetPrivateProfileSectionA), with the same answers as WinProfile's
// per-key reads for any file; writes, and what a section cannot answer, go
// through WinProfile. Start-up reads the whole file in three calls this way.
#pragma once

#include <string>

#include "platform/profile_sections.h"
#include "platform/profile_win.h"

class WinSectionProfile : public Profile {
 public:
  // `path` is the full path of the file, as for WinProfile.
  explicit WinSectionProfile(std::string path);
  // The section reader points into this object.
  WinSectionProfile(const WinSectionProfile&) = delete;
  WinSectionProfile& operator=(const WinSectionProfile&) = delete;

  int32_t GetInt(const char* section, const char* key, int32_t def) override;
  std::string GetString(const char* section, const char* key, const std::string& def) override;
  bool WriteInt(const char* section, const char* key, int32_t value) override;
  bool WriteString(const char* section, const char* key, const std::string& value) override;

  int SectionReads() const { return sections_.SectionReads(); }

 private:
  WinProfile perKey_;
  SectionProfile sections_;
};

// One GetPrivateProfileSectionA call as a SectionRead: a missing file or
// section is an empty block; any other empty answer counts as a failed read.
std::optional<size_t> ReadProfileSection(const std::string& path, const std::string& section, char* buffer,
                                         size_t size);
