#pragma once
// A fixture: the window on the demo bus, its port open and its station field
// set to the 4SXY module's; no box may be left open at the end.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/dolvane_cai_ji_app.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "console/control_ids.h"
#include "models/demo_bus.h"

namespace apptest {

class DemoBusWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<SimBus> bus = StartDemoBus();
  CDolvaneCaiJiDlg window{OfferSimulatedBus(*bus)};
  StrayModalCloser strays;
  const int station = DemoStationOf("4SXY");

  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WhenModal<EditComDialog>([](EditComDialog* dialog) { dialog->accept(); });
    click(ids::kOpenPort);
    ASSERT_EQ(window.operations().link().isOpen, 1);
    setField(ids::kStation, QString::number(station));
  }

  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  void click(int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(id)), Qt::LeftButton);
    WaitForCommand(window);
  }
  void setField(int id, const QString& text) { qobject_cast<QLineEdit*>(window.control(id))->setText(text); }
};

}  // namespace apptest
