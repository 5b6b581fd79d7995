# Writes SHA256SUMS for the program in the form sha256sum -c reads.
#   cmake -DPROGRAM=path/to/program.exe -DOUTPUT=path/to/SHA256SUMS -P write_sha256sums.cmake
file(SHA256 "${PROGRAM}" hash)
get_filename_component(name "${PROGRAM}" NAME)
file(WRITE "${OUTPUT}" "${hash}  ${name}\n")
