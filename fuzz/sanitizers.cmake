# The sanitizers of the fuzz build, shared by its targets and by the test that proves a report
# from any of them ends the run. Without -fno-sanitize-recover UBSan prints its report and lets
# the target carry on, so undefined behaviour would never count as a finding.
set(TARVO_FUZZ_COMPILE_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
set(TARVO_FUZZ_LINK_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
