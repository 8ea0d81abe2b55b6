#pragma once

#include <QString>

#include <functional>
#include <vector>

// Writes `text` as Latin-1, or ends the run.
void writeFile(const QString &path, const QString &text);

double median(std::vector<double> values);

// The median of three runs of `work`, in milliseconds; `before` runs untimed
// ahead of each.
double medianMs(
    const std::function<void()> &work, const std::function<void()> &before = [] {});
