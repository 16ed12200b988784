# Options every target of ours gets: C++20, warnings as errors, no fused multiply-add (the drawing
# arithmetic rounds each product to float), and the sanitizers when PERCOLATION_SANITIZE is on.
function(percolation_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -ffp-contract=off)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    if(PERCOLATION_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()
