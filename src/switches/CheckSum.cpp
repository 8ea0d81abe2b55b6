#include "CheckSum.h"

QList<bool> decomposeCheckSum(qint64 sum, const QList<int> &weights, QList<bool> states)
{
    states.resize(weights.size(), false);
    qint64 rest = sum;
    for (qsizetype i = weights.size() - 1; rest != 0 && i >= 0; --i) {
        const qint64 weight = weights[i];
        if (weight <= rest) {
            states[i] = true;
            rest -= weight;
            if (rest == 0) {
                for (qsizetype below = 0; below < i; ++below)
                    states[below] = false;
            }
        } else {
            states[i] = false;
        }
    }
    return states;
}

qint64 checkedSum(const QList<int> &weights, const QList<bool> &states)
{
    qint64 sum = 0;
    for (qsizetype i = 0; i < weights.size() && i < states.size(); ++i) {
        if (states[i])
            sum += weights[i];
    }
    return sum;
}
