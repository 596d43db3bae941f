#include "ui/window_layout.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "app/form_layout.h"
#include "app/menu_options.h"
#include "core/machine.h"
#include "mps/mps_grid.h"
#include "ram/ram_grid.h"
#include "ui/bus_panel.h"
#include "ui/control_panel.h"
#include "ui/processor_panel.h"
#include "ui/ram_panel.h"

namespace vellar::ui {

WindowLayout::WindowLayout(const LayoutParts& parts, const LayoutModel& model,
                           std::function<void()> placed)
    : p_(parts), m_(model), placed_(std::move(placed)) {}

void WindowLayout::CalcMinimalGridSize() {
  constexpr int kPitch = StringGrid::kRowHeight + StringGrid::kLineWidth;
  MpsGridView* grMps = p_.paProzessor->GrMps();
  grMps->SetClientHeight(6 * kPitch);
  grMps->move(4, grMps->y());
  // The RAM grid is measured in the assembler view and then shown in the chosen one.
  RamGrid& ram = m_.ramGrid;
  const bool assembler = ram.AssemblerView();
  ram.ShowRamAssembler(m_.machine.Ram);
  int width = 0;
  for (int c = 0; c < ram.ColCount(); ++c) width += ram.ColWidth(c) + StringGrid::kLineWidth;
  RamGridView* grRam = p_.paRAM->GrRam();
  grRam->SetClientWidth(width);
  grRam->SetClientHeight(18 * kPitch);
  if (!assembler) ram.ShowRamData(m_.machine.Ram);
}

namespace {

QRect ToQRect(const FormRect& r) {
  return {r.x, r.y, r.width, r.height};
}

}  // namespace

void WindowLayout::FormResize() {
  if (!minimalGridSizeDone_) {
    CalcMinimalGridSize();
    minimalGridSizeDone_ = true;
  }
  const RamGrid& ram = m_.ramGrid;
  LayoutMeasures measures;
  measures.clientWidth = p_.client->width();
  measures.clientHeight = p_.client->height();
  for (int c = 0; c <= ram.ColCount(); ++c) measures.ramColumns += ram.ColWidth(c);
  measures.busWidth = p_.paBus->width();
  measures.busHeight = p_.paBus->height();
  ProcessorPanel* processor = p_.paProzessor;
  MpsGridView* grMps = processor->GrMps();
  RegisterPanel* paRegister = processor->PaRegister();
  RamPanel* paRAM = p_.paRAM;
  InspectorView* inspector = paRAM->RamInspector();
  measures.mpsGridTop = grMps->y();
  measures.registerHeight = paRegister->height();
  measures.inspectorShown = m_.menu.MeVariablen;
  measures.inspectorColumns = inspector->ColCount();
  measures.scrollBarExtent = inspector->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  measures.controlHeight = p_.paControl->height();
  const PanelPlaces places = PlacePanels(measures);

  p_.paControl->setGeometry(ToQRect(places.control));
  processor->setGeometry(ToQRect(places.processor));
  paRAM->setGeometry(ToQRect(places.ram));
  p_.paBus->move(places.bus.x, places.bus.y);
  p_.moBild->move(places.pictureX, 0);
  p_.imBild->move(places.pictureX, 0);
  grMps->setGeometry(ToQRect(places.mpsGrid));
  m_.mpsGrid.colWidths[MpsStore::kDescriptionColumn] = places.descriptionWidth;
  paRegister->setGeometry(ToQRect(places.registers));
  if (measures.inspectorShown) {
    inspector->show();
    inspector->setGeometry(ToQRect(places.inspector));
  } else {
    inspector->hide();
  }
  paRAM->GrRam()->setGeometry(ToQRect(places.ramGrid));

  placed_();
  paRAM->GrRam()->ApplyScrollBars();
  paRAM->GrRam()->Refresh();
  grMps->Refresh();
  inspector->Refresh();
}

}  // namespace vellar::ui
