#include "fakes/fake_platform.h"

#include <algorithm>

#include "core/texts.h"
#include "platform/text_format.h"

namespace {

class FakeRegistryKey : public RegistryKey {
 public:
  explicit FakeRegistryKey(FakeRegistry& registry) : registry_(registry) { ++registry_.open_keys; }
  ~FakeRegistryKey() override { --registry_.open_keys; }

  std::optional<std::string> ReadText(std::string_view section, std::string_view name) override {
    const std::string key = std::string(section) + "\\" + std::string(name);
    registry_.read_log.push_back(key);
    if (registry_.failing_reads.count(key)) throw AppError(FormatText(texts::kErrReadValue, name));
    auto it = registry_.values.find(key);
    if (it == registry_.values.end()) return std::nullopt;
    if (!it->second.is_text) throw AppError(FormatText(texts::kErrBadValueType, name));
    return it->second.text;
  }
  void WriteText(std::string_view section, std::string_view name, std::string_view text) override {
    const std::string key = std::string(section) + "\\" + std::string(name);
    if (registry_.uncreatable_sections.count(std::string(section)))
      throw AppError(FormatText(texts::kErrCreateKey, section));
    if (registry_.failing_writes.count(key))
      throw AppError(FormatText(texts::kErrWriteValue, name));
    registry_.values[key] = FakeRegistry::Value{std::string(text), true};
    registry_.write_log.push_back(key + "=" + std::string(text));
  }

 private:
  FakeRegistry& registry_;
};

class FakeProfileFile : public ProfileFile {
 public:
  FakeProfileFile(FakeProfileFiles& files, std::string path)
      : files_(files), path_(std::move(path)) {
    ++files_.open_files;
  }
  ~FakeProfileFile() override { --files_.open_files; }

  const std::string& Path() const override { return path_; }
  std::string ReadKey(std::string_view section, std::string_view key) override {
    files_.read_log.emplace_back(key);
    auto file = files_.files.find(path_);
    if (file == files_.files.end()) return {};
    return file->second.Get(std::string(section), std::string(key)).value_or("");
  }
  void WriteKey(std::string_view section, std::string_view key, std::string_view value) override {
    if (files_.failing_writes.count(std::string(key)))
      throw AppError(FormatText(texts::kErrWriteItemFile, path_));
    files_.files[path_].Put(std::string(section), std::string(key), std::string(value));
    files_.write_log.push_back(std::string(key) + "=" + std::string(value));
  }
  std::string ReadAll() override {
    if (files_.unreadable.count(path_)) throw AppError(path_ + " を読み込めません: 使用中です。");
    std::string bytes;
    const auto file = files_.files.find(path_);
    if (file == files_.files.end()) return bytes;
    // Sections in the order they first appear, each with its keys: the file the system writes.
    std::vector<std::string> sections;
    for (const auto& [name, value] : file->second.keys) {
      const std::string section = name.substr(0, name.find('\\'));
      if (std::find(sections.begin(), sections.end(), section) == sections.end())
        sections.push_back(section);
    }
    for (const std::string& section : sections) {
      bytes += "[" + section + "]\r\n";
      for (const auto& [name, value] : file->second.keys)
        if (name.substr(0, name.find('\\')) == section)
          bytes += name.substr(section.size() + 1) + "=" + value + "\r\n";
    }
    return bytes;
  }
  void ReplaceAll(std::string_view bytes) override {
    // Read as the system reads a profile: blanks around names and values dropped, a header
    // only with its "]", a line without "=" a key without value.
    const auto blank = [](char c) {
      return c == ' ' || c == '\t' || (c >= 0x0A && c <= 0x0D) || c == 0x1A;
    };
    const auto trim = [&](std::string text) {
      while (!text.empty() && blank(text.front())) text.erase(text.begin());
      while (!text.empty() && blank(text.back())) text.pop_back();
      return text;
    };
    FakeProfileFiles::File parsed;
    std::string section;
    std::size_t at = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (at < bytes.size()) {
      std::size_t end = bytes.find_first_of("\r\n", at);
      if (end == std::string_view::npos) end = bytes.size();
      const std::string line = trim(std::string(bytes.substr(at, end - at)));
      at = end + 1;
      if (line.empty()) continue;
      if (line.front() == '[' && line.rfind(']') != std::string::npos) {
        section = line.substr(1, line.rfind(']') - 1);
        std::replace(section.begin(), section.end(), '\\', '/');
        continue;
      }
      const auto equals = line.find('=');
      std::string value = equals == std::string::npos ? "" : trim(line.substr(equals + 1));
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front())
        value = value.substr(1, value.size() - 2);
      parsed.keys.emplace_back(section + "\\" + trim(line.substr(0, equals)), value);
    }
    FakeProfileFiles::File& old = files_.files[path_];
    std::vector<std::string> changed;
    for (const auto& [name, value] : parsed.keys) {
      const std::string key = name.substr(name.find('\\') + 1);
      const std::string section_name = name.substr(0, name.find('\\'));
      if (files_.failing_writes.count(key))
        throw AppError(FormatText(texts::kErrWriteItemFile, path_));
      if (old.Get(section_name, key) != value) changed.push_back(key + "=" + value);
    }
    old = std::move(parsed);
    files_.write_log.insert(files_.write_log.end(), changed.begin(), changed.end());
    ++files_.replacements;
  }

  void RemoveLeftovers() override { files_.leftovers.erase(path_); }

 private:
  FakeProfileFiles& files_;
  std::string path_;
};

}  // namespace

std::unique_ptr<RegistryKey> FakeRegistry::OpenCurrentUserKey(std::string_view path) {
  opened_paths.emplace_back(path);
  return std::make_unique<FakeRegistryKey>(*this);
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenExistingCurrentUserKey(std::string_view path) {
  opened_paths.emplace_back(path);
  if (missing_keys.count(std::string(path))) return nullptr;
  return std::make_unique<FakeRegistryKey>(*this);
}

namespace {

// Profile names match without regard to ASCII case, as the system matches them.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> FakeProfileFiles::File::Get(const std::string& section,
                                                       const std::string& key) const {
  for (const auto& [k, v] : keys)
    if (SameName(k, section + "\\" + key)) return v;
  return std::nullopt;
}

void FakeProfileFiles::File::Put(const std::string& section, const std::string& key,
                                 const std::string& value) {
  for (auto& [k, v] : keys)
    if (SameName(k, section + "\\" + key)) {
      v = value;
      return;
    }
  keys.emplace_back(section + "\\" + key, value);
}

std::unique_ptr<ProfileFile> FakeProfileFiles::Open(const std::string& path) {
  opened_paths.push_back(path);
  return std::make_unique<FakeProfileFile>(*this, path);
}
