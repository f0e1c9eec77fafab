#pragma once
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace apptest {

// Settings of the test's own, never the user's file; empty at the start.
class TemporarySettings {
 public:
  TemporarySettings() {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("DolvaneTest"));
    QApplication::setApplicationName(QStringLiteral("workbench-test"));
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
      QSettings::setPath(format, QSettings::UserScope, folder_.path());
  }
  bool empty() const { return QSettings().allKeys().isEmpty(); }

 private:
  QTemporaryDir folder_;
};

}  // namespace apptest
