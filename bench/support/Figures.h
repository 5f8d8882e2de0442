#pragma once
// The arithmetic of a benchmark's figures.
#include <QtGlobal>
#include <vector>

double Ms(qint64 ns);
// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);
double Max(const std::vector<double>& values);
