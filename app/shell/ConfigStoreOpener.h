#pragma once
// Opens the keyboard model's database in the user data folder when its layout
// is loaded.
#include <string>

#include "app/device/KeyboardStoreOpener.h"
#include "app/store/ConfigStore.h"

namespace tessaro {

class ConfigStoreOpener final : public KeyboardStoreOpener {
 public:
  ConfigStoreOpener(ConfigStore& store, std::string user_data_folder)
      : store_(store), user_data_folder_(std::move(user_data_folder)) {}

  bool OpenKeyboardStore(const std::string& keyboard_name, int device_type) override;
  int DeviceType() const { return device_type_; }

 private:
  ConfigStore& store_;
  std::string user_data_folder_;
  int device_type_ = 0;
};

}  // namespace tessaro
