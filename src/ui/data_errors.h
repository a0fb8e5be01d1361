// The text a window shows for a failure of a dataset operation: the data layer's own text, or,
// for the failures that tell the operator what to do, that text in the current language.
#pragma once

#include <QString>

#include <exception>

QString DataErrorText(const std::exception& error);
