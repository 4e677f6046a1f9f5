#include "fakes/fake_platform.h"

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

std::optional<std::string> FakeProfileFiles::File::Get(const std::string& section,
                                                       const std::string& key) const {
  for (const auto& [k, v] : keys)
    if (k == section + "\\" + key) return v;
  return std::nullopt;
}

void FakeProfileFiles::File::Put(const std::string& section, const std::string& key,
                                 const std::string& value) {
  for (auto& [k, v] : keys)
    if (k == section + "\\" + key) {
      v = value;
      return;
    }
  keys.emplace_back(section + "\\" + key, value);
}

std::unique_ptr<ProfileFile> FakeProfileFiles::Open(const std::string& path) {
  opened_paths.push_back(path);
  return std::make_unique<FakeProfileFile>(*this, path);
}
