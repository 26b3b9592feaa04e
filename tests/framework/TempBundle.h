#pragma once
// A throw-away application bundle (bin/ and, if wanted, Resources/) for tests of the bundle
// service and of what is opened from it. Fixtures come from BRINDLEX_TEST_DATA.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/Bundle.h"

namespace fw::testing {

inline std::filesystem::path TestData(const std::string& name) {
  const char* data = std::getenv("BRINDLEX_TEST_DATA");
  if (!data) ADD_FAILURE() << "BRINDLEX_TEST_DATA is not set";
  return std::filesystem::path(data ? data : ".") / name;
}

class TempBundle {
 public:
  explicit TempBundle(bool withResources = true) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "brindlex-bundle-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a temporary folder";
    root_ = pattern;
    std::filesystem::create_directories(root_ / "bin");
    if (withResources) std::filesystem::create_directories(Resources());
  }
  ~TempBundle() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }
  TempBundle(const TempBundle&) = delete;
  TempBundle& operator=(const TempBundle&) = delete;

  std::filesystem::path Root() const { return root_; }
  std::filesystem::path Bin() const { return root_ / "bin"; }
  std::filesystem::path Resources() const { return root_ / "Resources"; }

  // Copies a fixture into Resources/ under another name.
  void Add(const std::string& fixture, const std::string& as) const {
    std::filesystem::copy_file(TestData(fixture), Resources() / as,
                               std::filesystem::copy_options::overwrite_existing);
  }

  // Puts a FixedBundleService on this bundle in force and gives it to the caller to inspect.
  FixedBundleService& Install() const {
    auto service = std::make_unique<FixedBundleService>(Bin().string());
    FixedBundleService& ref = *service;
    SetBundleService(std::move(service));
    return ref;
  }

 private:
  std::filesystem::path root_;
};

}  // namespace fw::testing
