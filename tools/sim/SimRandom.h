#pragma once

#include <QtGlobal>

#include <random>

// The simulator's one source of chance: retries, lost acknowledgements, noise and
// peer traffic. A fixed seed makes a run repeatable.
class SimRandom {
public:
    explicit SimRandom(quint32 seed)
        : m_engine(seed)
    {
    }

    // A whole number from lo to hi, both included.
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_engine); }

    // True with probability p (never for p <= 0, always for p >= 1).
    bool chance(double p)
    {
        if (p <= 0.0)
            return false;
        if (p >= 1.0)
            return true;
        return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine) < p;
    }

private:
    std::mt19937 m_engine;
};
