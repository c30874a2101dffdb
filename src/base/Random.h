#pragma once

#include <cstdint>
#include <deque>

namespace splot {

// The program's single pseudo-random generator (xoshiro256**). Seeded once at
// start-up; tests seed it, or script the next draws exactly.
class Random {
public:
    explicit Random(std::uint64_t seed = 0x5EED5EED5EEDULL) { seed_(seed); }

    void seed(std::uint64_t s) { seed_(s); }

    // Uniform integer 0..n-1: one draw from the generator, and 0 when n is 0
    // (negative n also gives 0, and still consumes its draw, so the sequence
    // of later draws does not depend on the bounds asked for).
    // The bounded draw is written out by hand so that every standard library
    // gives the same numbers for the same seed.
    std::uint32_t random(std::int64_t n) {
        if (!scripted_.empty()) [[unlikely]]
            return n <= 0 ? (scripted_.pop_front(), 0U) : takeScripted(n);
        if (n <= 0) {
            static_cast<void>(next32());
            return 0;
        }
        return bounded(static_cast<std::uint32_t>(n > 0xFFFFFFFFLL ? 0xFFFFFFFFLL : n));
    }

    // Tests: the next draws return these values (each reduced below its n).
    void script(std::initializer_list<std::uint32_t> draws) { scripted_.insert(scripted_.end(), draws); }
    bool scriptedDrawsLeft() const { return !scripted_.empty(); }

    // One draw of 64 bits that keys a counter-based generator (a stamp's
    // draws); a scripted draw is taken as the key.
    std::uint64_t key() {
        if (!scripted_.empty()) [[unlikely]] {
            const std::uint32_t v = scripted_.front();
            scripted_.pop_front();
            return v;
        }
        return next64();
    }

    // Raw 32 random bits (stamp fast paths that do their own bounded draws).
    std::uint32_t next32() { return static_cast<std::uint32_t>(next64() >> 32); }

    // Lemire's multiply-shift with rejection: exactly uniform on 0..n-1.
    std::uint32_t bounded(std::uint32_t n) {
        std::uint64_t m = static_cast<std::uint64_t>(next32()) * n;
        std::uint32_t low = static_cast<std::uint32_t>(m);
        if (low < n) [[unlikely]] {
            const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;
            while (low < threshold) {
                m = static_cast<std::uint64_t>(next32()) * n;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 32);
    }

    std::uint64_t next64() {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    void seed_(std::uint64_t s) {
        scripted_.clear();
        for (auto& word : s_) { // splitmix64
            s += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = s;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    std::uint32_t takeScripted(std::int64_t n) {
        const std::uint32_t v = scripted_.front();
        scripted_.pop_front();
        return static_cast<std::int64_t>(v) < n ? v : static_cast<std::uint32_t>(n - 1);
    }

    std::uint64_t s_[4] = {};
    std::deque<std::uint32_t> scripted_;
};

} // namespace splot
