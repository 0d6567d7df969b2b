#pragma once
// The list of keyboard models: connected models first and highlighted, then
// the models listed as not connected; a click picks one (code 1, wparam the
// entry's index).
//
// Thread rule: the device worker changes entry states while the UI thread
// paints and hit-tests, so every walk of the entries holds the list lock.
// Repaint requests are made after the lock is released (painting takes it).
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/core/MControlFont.h"
#include "uilib/keyboard/DeviceListItem.h"

namespace tumi {

class CDeviceCtrl : public MControlFont {
 public:
  CDeviceCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "CDeviceCtrl"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  // Appends a model; no repaint (the list is filled before it is shown).
  void AddDevice(const std::string& name, int value1, int value2, int device_type, bool listed);
  // The first entry of the type takes the state; a shown state makes it the
  // current entry.
  void SetDeviceState(int device_type, int state);
  // Hides every entry; the connected count and the current entry stay until
  // the next SetDeviceState.
  void ResetAllState();
  // 0 when nothing is current or nothing is connected.
  int GetCurDeviceType() const;
  int GetConnectCount() const { return connected_; }
  void ClearList();

  int GetItemCount() const;
  // A copy of an entry (an empty one for a bad index).
  DeviceListItem GetItem(int index) const;
  int GetHoverIndex() const { return hover_; }
  int GetCurIndex() const { return current_; }
  void SetRowStep(int step) { row_step_ = step; }

  static constexpr int kRowHeight = 38;
  static constexpr int kNinePatchCorner = 12;
  static constexpr Argb kListedTextColor = 0xFF808080;

 private:
  void DrawRows(cairo_t* cr, int state, int frame, Argb color, Rect& row);
  // The index of the shown entry under a control-relative point, or -1.
  int HitTest(Point local) const;
  void Repaint();

  mutable std::recursive_mutex lock_;
  std::vector<std::unique_ptr<DeviceListItem>> items_;
  std::atomic<int> connected_{0};
  std::atomic<int> hover_{-1};
  std::atomic<int> current_{-1};
  int row_step_ = 50;
};

}  // namespace tumi
