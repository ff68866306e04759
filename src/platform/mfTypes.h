// Container aliases used throughout the programming interface.
#pragma once

#include <list>
#include <vector>

template <class T>
using Vector = std::vector<T>;

template <class T>
using List = std::list<T>;
