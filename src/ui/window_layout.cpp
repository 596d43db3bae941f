#include "ui/window_layout.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "app/menu_options.h"
#include "app/variable_inspector.h"
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

void WindowLayout::FormResize() {
  if (!minimalGridSizeDone_) {
    CalcMinimalGridSize();
    minimalGridSizeDone_ = true;
  }
  const int cw = p_.client->width();
  const int ch = p_.client->height();
  // All columns and one default column more: room for the lines, the border and, in the
  // assembler view, the vertical scroll bar.
  const RamGrid& ram = m_.ramGrid;
  int ramCols = 0;
  for (int c = 0; c <= ram.ColCount(); ++c) ramCols += ram.ColWidth(c);
  const int busWidth = p_.paBus->width();
  const int extraWidth = std::max(0, cw - busWidth - kFixedWidths - ramCols);
  const int controlHeight = p_.paControl->height();
  const int workHeight = ch - controlHeight;

  p_.paControl->setGeometry(0, workHeight, cw, controlHeight);
  ProcessorPanel* processor = p_.paProzessor;
  processor->setGeometry(0, 0, kProcessorBase + extraWidth, workHeight);
  const int processorWidth = processor->width();
  p_.paRAM->setGeometry(processorWidth + busWidth + 6, 0, cw - processorWidth - busWidth - 6,
                        workHeight);
  p_.paBus->move(processorWidth + 3, workHeight - p_.paBus->height());
  p_.moBild->move(processorWidth + 3, 0);
  p_.imBild->move(processorWidth + 3, 0);

  MpsGridView* grMps = processor->GrMps();
  RegisterPanel* paRegister = processor->PaRegister();
  grMps->setGeometry(4, grMps->y(), processorWidth - 8,
                     workHeight - paRegister->height() - grMps->y() - 8);
  m_.mpsGrid.colWidths[MpsStore::kDescriptionColumn] = extraWidth + 100;
  paRegister->setGeometry(4, workHeight - paRegister->height() - 4, processorWidth - 8,
                          paRegister->height());
  PlaceInspector();

  placed_();
  p_.paRAM->GrRam()->ApplyScrollBars();
  p_.paRAM->GrRam()->Refresh();
  grMps->Refresh();
  p_.paRAM->RamInspector()->Refresh();
}

void WindowLayout::PlaceInspector() {
  RamPanel* paRAM = p_.paRAM;
  RamGridView* grRam = paRAM->GrRam();
  InspectorView* inspector = paRAM->RamInspector();
  const int top = p_.paProzessor->GrMps()->y();
  int ramHeight = paRAM->height() - top - 4;
  if (m_.menu.MeVariablen) {
    inspector->show();
    const int need = VariableInspector::kCaptionColumnWidth +
                     (inspector->ColCount() - 1) * (VariableInspector::kColumnWidth + 2);
    const int avail = paRAM->width() - 8;
    int height = VariableList::kRows * (StringGrid::kRowHeight + 2);
    if (need > avail) height += inspector->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    inspector->setGeometry(4, paRAM->height() - height - 4, paRAM->width() - 8, height);
    ramHeight -= inspector->height() + 4;
  } else {
    inspector->hide();
  }
  grRam->setGeometry(4, top, paRAM->width() - 8, ramHeight);
}

}  // namespace vellar::ui
