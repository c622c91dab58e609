# Windows programs of the build run under Wine, which takes Unix paths
# through its drive Z:.
function(wine_path out path)
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()
