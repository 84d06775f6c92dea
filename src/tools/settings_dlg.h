// CSettingsDlg: the settings dialog. A skinned modeless window of the main window, made
// hidden once and shown by the settings command: two check buttons choose whether the
// emergency-recording-stop and the parking-monitoring events are shown in the G-sensor
// graph, on the map and by the event jumps, and a text shows the viewer's version. Each
// toggle posts WM_APP_SETTING_CHANGED (item, new state) to the main window. The choices
// live only in memory: every start begins with both ticked.
#pragma once

#include <QPointer>

#include <array>

#include "skin/skin_dialog.h"
#include "tools/settings_rules.h"

class QGroupBox;
class QLabel;

namespace quorva {

class CSkinCheckButton;

class CSettingsDlg : public CSkinDialog {
    Q_OBJECT

  public:
    // parent: the main window, which receives the messages.
    explicit CSettingsDlg(QWidget* parent);

    // Where WM_APP_SETTING_CHANGED goes (the parent unless set).
    void SetMessageTarget(QObject* target) { target_ = target; }

    // Sizes the dialog and centres it on the monitor that holds the parent's top-left corner.
    void Centre();
    // Places the controls, the check marks and the fonts again for the current UI scale.
    void ApplyScale();

    // The ticked state of item 0 or 1.
    bool Ticked(int item) const;
    // A command of the dialog: the item ids toggle their item, the close command hides it.
    void OnCommand(int id) override;

    CSkinCheckButton* ItemButton(int item) const;
    QLabel* VersionText() const { return version_; }
    QGroupBox* DetectorGroup() const { return detectorGroup_; }
    QGroupBox* VersionGroup() const { return versionGroup_; }

  private:
    void Toggle(int item);

    std::array<CSkinCheckButton*, kSettingsItemCount> items_{};
    std::array<bool, kSettingsItemCount> ticked_{true, true};
    QGroupBox* detectorGroup_ = nullptr;
    QGroupBox* versionGroup_ = nullptr;
    QLabel* version_ = nullptr;
    QPointer<QObject> target_;
};

}  // namespace quorva
