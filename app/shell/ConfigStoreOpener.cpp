#include "app/shell/ConfigStoreOpener.h"

namespace tessaro {

bool ConfigStoreOpener::OpenKeyboardStore(const std::string& keyboard_name, int device_type) {
  device_type_ = device_type;
  // No served keyboard: nothing to open, and nothing of another model stays open.
  if (keyboard_name.empty()) {
    store_.Close();
    return false;
  }
  return store_.Open(user_data_folder_, keyboard_name);
}

}  // namespace tessaro
