#pragma once

#include "rom/Failure.h"

class QWidget;

// The box a failure of the byte-level layer is shown in: its description, titled "Error: <number>".
void showFailure(QWidget* parent, const Failure& failure);
