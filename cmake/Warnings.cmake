# Warning flags shared by every target of the project.
add_library(ordavin_warnings INTERFACE)
add_library(Ordavin::Warnings ALIAS ordavin_warnings)
target_compile_options(ordavin_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
  $<$<BOOL:${ORDAVIN_WERROR}>:-Werror>)

# The fast engines must reproduce the reference arithmetic bit for bit:
# no fused multiply-add, no excess precision.
add_library(ordavin_exact_fp INTERFACE)
add_library(Ordavin::ExactFp ALIAS ordavin_exact_fp)
target_compile_options(ordavin_exact_fp INTERFACE -ffp-contract=off)
