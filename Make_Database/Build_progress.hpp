// Progress of a build on the error stream: a bar with the order, the orders done, the arrays
// written and the estimated time left when the stream is a terminal, plain lines otherwise.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

class Build_progress {
 public:
  // total_work: the sum of the work estimates of every order of the build.
  Build_progress(std::ostream& err, bool terminal, int total_orders, double total_work);

  void start_order(const std::string& part, std::int32_t n, double work);
  void update(double fraction_of_order);           // within the current order
  void finish_order(std::int64_t arrays_written);  // one plain line, or the bar moves on
  void finish();                                   // ends the bar's line
  void note(const std::string& line);              // one line of its own, the bar drawn anew
  void clear_line();                               // blanks the bar's line for a line of others
  double elapsed_seconds() const;

 private:
  std::string time_left(double fraction_done) const;
  void draw(double fraction_of_order);

  std::ostream& err_;
  bool terminal_;
  int total_orders_;
  double total_work_;
  double done_work_ = 0;
  double current_work_ = 0;
  int orders_done_ = 0;
  std::int64_t arrays_ = 0;
  std::string part_;
  std::int32_t order_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Rough work estimates in seconds, for the time left: what the progress measures is the pace
// of the orders done, and these give the shape of what is left.
double search_work(std::int32_t n, int jobs);
// The processor seconds (all threads) that the exhaustive search of order n is expected to take
// on this machine, from what was measured (Release build): order 16 and the growth per order.
constexpr double search_seconds_at_16 = 8.4, search_growth_per_order = 4.8;
double search_processor_seconds(std::int32_t n);
double generation_work(std::int32_t n);
