#pragma once

#include <QList>

// Which items of a check list a sum selects. Items are visited from the last
// down while a remainder is left: an item whose weight fits the remainder is
// checked and its weight taken off, and once nothing remains every lower item
// is unchecked; an item that does not fit is unchecked. Items never visited
// keep the state they had in `states`; a remainder no item matches is dropped.
QList<bool> decomposeCheckSum(qint64 sum, const QList<int> &weights, QList<bool> states);

// The value of a check list: the sum of the weights of its checked items.
qint64 checkedSum(const QList<int> &weights, const QList<bool> &states);
