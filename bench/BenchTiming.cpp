#include "BenchTiming.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toLatin1()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianMs(const std::function<void()> &work, const std::function<void()> &before)
{
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        before();
        QElapsedTimer timer;
        timer.start();
        work();
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(runs);
}
