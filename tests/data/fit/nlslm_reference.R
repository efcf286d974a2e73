# Fits every set of the manifest with minpack.lm::nlsLM to the minimum and writes parameters,
# standard errors (summary) and the sum of squares. Called by make_reference.py.
suppressPackageStartupMessages(library(minpack.lm))
args <- commandArgs(trailingOnly = TRUE)
manifest <- read.csv(args[1], stringsAsFactors = FALSE)
rows <- list()
for (i in seq_len(nrow(manifest))) {
  m <- manifest[i, ]
  d <- read.table(m$file, comment.char = "#", col.names = c("x", "y"))
  fixed <- m$fixHill == 1
  ctl <- nls.lm.control(ftol = 1e-12, ptol = 1e-12, maxiter = 1000, maxfev = 100000)
  if (fixed) {
    f <- y ~ b + (t - b) / (1 + 10^((l - log10(x))))
    start <- list(t = m$top, b = m$bottom, l = m$logEC50)
  } else {
    f <- y ~ b + (t - b) / (1 + 10^((l - log10(x)) * h))
    start <- list(t = m$top, b = m$bottom, l = m$logEC50, h = m$hill)
  }
  fit <- tryCatch(nlsLM(f, data = d, start = start, control = ctl), error = function(e) { message(m$name, ": ", conditionMessage(e)); NULL })
  r <- list(name = m$name, fixHill = m$fixHill, converged = !is.null(fit),
            top = NA, bottom = NA, logEC50 = NA, hill = NA,
            se_top = NA, se_bottom = NA, se_logEC50 = NA, se_hill = NA, ss = NA)
  if (!is.null(fit)) {
    p <- coef(fit)
    se <- tryCatch(summary(fit)$coefficients[, 2], error = function(e) rep(NA, length(p)))
    r$top <- p[["t"]]; r$bottom <- p[["b"]]; r$logEC50 <- p[["l"]]
    r$se_top <- se[1]; r$se_bottom <- se[2]; r$se_logEC50 <- se[3]
    if (!fixed) { r$hill <- p[["h"]]; r$se_hill <- se[4] }
    r$ss <- sum(residuals(fit)^2)
  }
  rows[[i]] <- as.data.frame(r, stringsAsFactors = FALSE)
}
out <- do.call(rbind, rows)
write.csv(format(out, digits = 17), args[2], row.names = FALSE, quote = FALSE)
