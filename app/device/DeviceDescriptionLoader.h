#pragma once
// Builds the DeviceDescription from config.xml and the layout files of the
// program folder, and shows the result through the DeviceDescriptionView.
//
// Both files are read with the XmlDocument cursor: at each level the elements
// are looked up in the order the formats give, each search starting after the
// element found last, so an element that stands before one found earlier is
// not seen and a missing one is simply skipped. Failures are silent: a file
// that cannot be read leaves what it would have built as it was.
#include <string>

#include "app/device/DeviceDescription.h"
#include "app/device/DeviceDescriptionView.h"
#include "app/device/KeyboardStoreOpener.h"
#include "app/link/KeyboardLink.h"

namespace tessaro {

class XmlDocument;

class DeviceDescriptionLoader {
 public:
  // The layout served in every run: the keyboard entry of this device type.
  static constexpr int kServedDeviceType = 201;

  DeviceDescriptionLoader(DeviceDescription& description, DeviceDescriptionView& view,
                          KeyboardStoreOpener& store, KeyboardLink& link,
                          std::string program_folder)
      : description_(description),
        view_(view),
        store_(store),
        link_(link),
        program_folder_(std::move(program_folder)) {}

  // Reads "<program folder>/config.xml" into fresh keyboard and mode lists,
  // fills the device list and the software information, registers every mode
  // with the keyboard link, loads the served layout and starts watching
  // devices. False when config.xml could not be read (the rest still runs).
  bool LoadDeviceDescription();
  // Selects the first keyboard of the device type, opens its database and
  // rebuilds the layout part of the description and the pictures from
  // "<program folder>/layouts/<layout name>.xml". False when the layout file
  // could not be read; the previous layout then stays.
  bool LoadLayout(int device_type);

 private:
  void ReadKeyboards(XmlDocument& doc);
  void ReadModes(XmlDocument& doc, DeviceEntry& entry);
  void ReadSoftware(XmlDocument& doc);

  void ReadMenu(XmlDocument& doc);
  void ReadFunction(XmlDocument& doc);
  void ReadFirmware(XmlDocument& doc);
  void ReadLight(XmlDocument& doc);
  void ClearPictures();
  void ReadKeyboard(XmlDocument& doc);
  void ReadKeys(XmlDocument& doc);
  void ReadKey(XmlDocument& doc);

  DeviceDescription& description_;
  DeviceDescriptionView& view_;
  KeyboardStoreOpener& store_;
  KeyboardLink& link_;
  std::string program_folder_;
};

}  // namespace tessaro
