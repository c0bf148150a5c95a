#pragma once

namespace platform {

// The one shape of every seam of the program: an interface whose real implementation serves the
// program, and which main.cpp or a test replaces with another implementation for a while.
//
//   class Clock : public platform::Seam<Clock> {
//   public:
//       virtual QString dateText() const = 0;
//       static Clock& real();
//   };
//   Clock::instance().dateText();   // the replacement if one is installed, else the real one
//   Clock::replaceWith(&fixed);     // the caller keeps ownership; nullptr brings the real one back
template <class Interface> class Seam {
public:
    static Interface& instance() { return replacement() ? *replacement() : Interface::real(); }
    static void replaceWith(Interface* other) { replacement() = other; }

protected:
    Seam() = default;
    ~Seam() = default;

private:
    static Interface*& replacement() {
        static Interface* other = nullptr;
        return other;
    }
};

} // namespace platform
