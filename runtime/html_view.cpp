#include "runtime/html_view.h"

namespace pexor {

HtmlView::HtmlView(QWidget* parent) : QWidget(parent) {}

void HtmlView::navigate(const std::string& address) { address_ = address; }

}  // namespace pexor
